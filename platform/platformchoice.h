#pragma once

#include <QByteArrayView>

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

// Whether a Qt platform's name (QT_QPA_PLATFORM's, or the one Qt runs on) is one of Wayland's:
// wayland, wayland-egl and the like.
bool IsWaylandPlatform(QByteArrayView platform);
// True when the program runs on Wayland itself, not on X11 or XWayland.
bool OnNativeWayland();

} // namespace pukalo
