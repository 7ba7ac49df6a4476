#pragma once

#include "platform/runtime.h"

#include <QObject>

namespace pukalo {

// Wraps a handler for connection to a Qt signal: once the program has ended, nothing runs.
// Events still queued when End was called are delivered on the way out of the event loops.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler](auto &&...) {
        if (!HasEnded())
            handler();
    };
}

// Connects a signal to a handler of the form, guarded as above: the one way every window
// wires its controls, menus and timers to its handlers.
// A handler takes none of the signal's arguments, or the first ones of them.
template <typename Sender, typename Signal, typename Form, typename... Args>
void ConnectHandler(Sender *sender, Signal signal, Form *form, void (Form::*handler)(Args...))
{
    QObject::connect(sender, signal, form, [form, handler](Args... args) {
        if (!HasEnded())
            (form->*handler)(args...);
    });
}

} // namespace pukalo
