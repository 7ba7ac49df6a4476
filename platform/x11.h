#pragma once

#include <QMargins>

class QWidget;

namespace pukalo {

// Asks the window manager to leave the window out of the task bar. Call before the window is
// first shown. Does nothing where the program does not run on X11.
void SkipTaskbar(QWidget *window);

// The frame the window manager puts around the window (left, top, right, bottom), asked of it
// before the window is shown; none where it does not say.
QMargins FrameExtents(QWidget *window);

// True when the program talks to an X server (X11 or XWayland).
bool OnX11();

// Whether the window manager can keep a window above all others: on X11 when it says so in
// _NET_SUPPORTED; never on native Wayland.
bool AlwaysOnTopSupported();

// Before the toolkit starts: on a Wayland session that offers X11 as well and no platform
// chosen, chooses X11. False when Qt would have to run on X11 and no X server answers at
// $DISPLAY. Qt aborts in that case; the program says so and ends instead.
bool X11DisplayReachableIfNeeded();

// While the program owns the clipboard, answers other programs' requests for it only in the
// forms that hold the text exactly. Call once, after the application object exists.
void ServeClipboardExactly();

// At the end of the program: when Pukalo still owns the clipboard, hands its text to the small
// pukalo-clipkeep process, so that what the user copied can still be pasted after Pukalo has
// gone. Waits until the keeper owns the clipboard, but never longer than a quarter second.
void HandOverClipboard();

// Ends the process at once, after making sure the X server has every request sent so far.
// Spares the exit Qt's own teardown, which can wait seconds on a clipboard manager.
[[noreturn]] void ExitNow(int status);

} // namespace pukalo
