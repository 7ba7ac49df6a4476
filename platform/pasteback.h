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

// Whether there is a window to paste into: the last active window that is not the program's own,
// and still there.
bool HasTarget();

// Gives the focus back to that window and, once it is active, pastes into it; never waits in
// the event loop. `done` is called once, later: true when pasted, else false and why (the
// window did not become active in time). A paste still pending is replaced by a new one: one
// paste for the pick made last.
void PasteIntoTarget(std::function<void(bool pasted, const QString &why)> done);

// Gives the focus back to that window, without pasting (after the second click of a double
// click has taken it).
void Refocus();

} // namespace pukalo::PasteBack
