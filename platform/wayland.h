#pragma once

#include <QByteArray>

namespace pukalo {

// At the end of the program on a Wayland session (natively or through XWayland): where the
// compositor keeps no copies of its own but lets a program without a window hold the clipboard
// (wlroots compositors such as sway), hands the text to wl-copy, which Wayland and X programs
// alike can then paste from. False when it did not: no Wayland session, a compositor without
// that protocol (GNOME's and KDE's keep the copy themselves), or no wl-copy.
bool HandOverToWlCopy(const QByteArray &text);

} // namespace pukalo
