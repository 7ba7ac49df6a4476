#pragma once

class QWidget;

namespace pukalo {

// The window z-order service: puts a top-level window into or out of the always-on-top band,
// keeping its position and size, and shows it if it is hidden.
enum class InsertAfter
{
    Topmost,   // join the always-on-top band
    NoTopmost, // leave it
};
void SetWindowPos(QWidget *window, InsertAfter insertAfter);

} // namespace pukalo
