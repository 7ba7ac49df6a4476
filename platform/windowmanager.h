#pragma once

#include <QMargins>

class QWidget;

// What the program says to and asks of the window manager beyond what Qt does. Where the
// program does not run on X11, each answers harmlessly.
namespace pukalo {

// Asks the window manager to leave the window out of the task bar. Call before the window is
// first shown.
void SkipTaskbar(QWidget *window);

// The frame the window manager puts around the window (left, top, right, bottom), asked of it
// before the window is shown; none where it does not say.
QMargins FrameExtents(QWidget *window);

// Whether the window manager can keep a window above all others: on X11 when it says so in
// _NET_SUPPORTED; never on native Wayland.
bool AlwaysOnTopSupported();

} // namespace pukalo
