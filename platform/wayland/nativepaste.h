#pragma once

#include "platform/pasteback.h"

#include <QString>
#include <cstdint>

// The paste on a Wayland session, where the program runs under XWayland and most windows people
// write in are native Wayland ones: no X11 request reaches them, and no program may send another
// keys. The compositor (sway and others speaking i3's IPC, or KWin) tells which window has the
// focus and gives it back on request; the input method (fcitx5, with Pukalo's addon) writes the
// text into that window's field, as it writes a conversion.
namespace pukalo::NativePaste {

// Starts following the compositor's focus, on a Wayland session whose compositor tells it
// ($SWAYSOCK, or KWin on the session bus). Call once the application exists.
void Follow();

enum class Last
{
    NotFollowing, // no compositor tells: the X11 follower alone knows
    X11,          // a window under XWayland had the focus last: the X11 follower's target
    Native,       // a native Wayland window had it: this one's target
    Nothing,      // none to paste into (`why` says which absence)
};
struct Focus
{
    Last last = Last::NotFollowing;
    PasteBack::NoTarget why = PasteBack::NoTarget::NotYetSeen;
    unsigned serial = 0;         // changes with every change of `last` or `why`
    std::uint32_t x11Window = 0; // for X11: the window under XWayland that had the focus
};
Focus LastFocus();

// Gives the focus back to the native window written in last and, once the compositor says it
// has it, has the input method write the text into it: once, and only into that window.
void Paste(const QString &text, PasteBack::PasteDone done);

// Gives the focus back to that window, without pasting.
void Refocus();

// Asks the compositor to focus a window under XWayland: sway lets no program activate another
// through X11 alone, and KWin may not either.
void FocusX11Window(std::uint32_t window);

} // namespace pukalo::NativePaste
