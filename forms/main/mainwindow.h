#pragma once

class QWidget;

// What the program's other windows may ask of the main window, without knowing its class: the
// splash window opens it, the settings and version windows take its icon, move it in and out
// of the always-on-top band and set its check mark.
namespace pukalo::MainWindow {

// The main window, or null while it does not exist.
QWidget *Window();
// Loads the main window if needed and shows it.
void LoadAndShow();
// The check mark of 常に手前に表示, when the main window exists.
void SetAlwaysOnTopMark(bool on);

} // namespace pukalo::MainWindow
