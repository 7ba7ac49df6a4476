#pragma once

namespace pukalo {

// Before the toolkit starts: on a Wayland session that offers X11 as well (XWayland) and with
// no platform chosen by the user, chooses X11 by setting QT_QPA_PLATFORM. Returns false when
// the platform Qt would run on cannot start (no X server answers at $DISPLAY, no Wayland
// compositor at $WAYLAND_DISPLAY): Qt would abort, so the program says so and ends instead.
[[nodiscard]] bool ChoosePlatformAndCheckDisplay();

// Whether the program can run on Wayland itself: a compositor answers at $WAYLAND_DISPLAY within
// a second, and Qt has its Wayland platform (package qt6-wayland).
bool NativeWaylandPossible();

// True when the program talks to an X server (X11 or XWayland).
bool OnX11();

} // namespace pukalo
