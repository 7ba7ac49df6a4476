#pragma once

namespace pukalo {

// Before the toolkit starts: on a Wayland session that offers X11 as well (XWayland) and with
// no platform chosen by the user, chooses X11 by setting QT_QPA_PLATFORM. Returns false when
// Qt would have to run on X11 and no X server answers at $DISPLAY: Qt would abort, so the
// program says so and ends instead.
[[nodiscard]] bool ChoosePlatformAndCheckDisplay();

// True when the program talks to an X server (X11 or XWayland).
bool OnX11();

} // namespace pukalo
