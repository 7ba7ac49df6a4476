#pragma once

class QWidget;

namespace pukalo {

// Asks the window manager to leave the window out of the task bar. Call before the window is
// first shown. Does nothing where the program does not run on X11.
void SkipTaskbar(QWidget *window);

} // namespace pukalo
