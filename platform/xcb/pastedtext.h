#pragma once

#include <QString>
#include <xcb/xcb.h>

#include <functional>

// The text of a paste in flight, held for the window it goes to: until that window's program has
// fetched it, its requests for CLIPBOARD and PRIMARY are answered with this text, whatever was
// copied since (a pick made meanwhile). Every other program gets what is copied now.
namespace pukalo::PastedText {

// Holds the text for the program of `target`; `fetched` is called once, from the event loop,
// when that program has taken it as text. False, and nothing held, where no clipboard server
// runs to see the request.
bool Hold(const QString &text, xcb_window_t target, std::function<void()> fetched);
// Lets go of what is held, fetched or not.
void Release();

} // namespace pukalo::PastedText
