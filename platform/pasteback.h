#pragma once

#include <QString>
#include <functional>

// Pasting a pick into the window the user was writing in: the program follows which window of
// another program was active last, gives the focus back to it and pastes there with the keys
// every X program takes for a paste, Shift+Insert (from PRIMARY in terminals, from CLIPBOARD in
// GTK, Qt, browsers and office programs). The text is never typed key by key: keymaps cannot
// give every character of a kaomoji, and remapping them breaks other layouts.
namespace pukalo::PasteBack {

// Starts following the active window (_NET_ACTIVE_WINDOW). Call once the application exists.
void FollowActiveWindow();

enum class Support
{
    Supported,
    NativeWayland,   // no program may give another the focus or send it keys
    NoXTest,         // the X server cannot be sent the keys
    NoWindowManager, // no window manager answers _NET_ACTIVE_WINDOW
};
Support Supported();

// Why no pick can be pasted now.
enum class NoTarget
{
    None,       // there is a window to paste into
    NotYetSeen, // no window of another program has been active since the start
    Closed,     // the window written in last was closed or hidden (minimised, on another desktop)
    NotX11,     // the active window is not an X11 window: a Wayland one, under XWayland
    Desktop,    // the desktop, a panel or no window at all is active
};
struct Absence
{
    NoTarget why = NoTarget::None;
    // Changes whenever `why` does, a target in between included: what was said once about an
    // absence need not be said again until this changes.
    unsigned serial = 0;
};

// The target is the last active window of another program that can take a paste; it is
// forgotten as soon as no window or one that cannot take it is active, and the moment it is
// closed or unmapped (an ended window's id may be given to the next program's window).
Absence WhyNoTarget();

enum class Outcome
{
    Pasted,
    NoTarget,    // there was none (WhyNoTarget says why)
    NotBack,     // the window did not take the focus back in time, or was closed meanwhile
    InputMethod, // a native Wayland window: the input method did not take the text
};

// Gives the focus back to that window and, once it is active, pastes the text into it (an X11
// window takes it from the selections, a native Wayland one from the input method); never
// waits in the event loop. `done` is called once, later, with the outcome and, when it was not
// pasted, why in a line for the log. A pick made while one is pending is pasted after it: each
// pick's own `text` (what the clipboard holds for it), once, in order.
using PasteDone = std::function<void(Outcome, const QString &why)>;
// A pick waiting its turn to be pasted.
struct Pick
{
    QString text;
    PasteDone done;
};
void PasteIntoTarget(const QString &text, PasteDone done);

// Gives the focus back to that window, without pasting (after the second click of a double
// click has taken it).
void Refocus();

} // namespace pukalo::PasteBack
