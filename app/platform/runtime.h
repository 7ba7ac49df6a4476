#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace pukalo {

// An error that escapes an event handler. The handler stops where it is thrown; the guard
// around every handler connection turns it into the run-time error report.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return "pukalo run-time error"; }

private:
    QString m_message;
};

// Ends the program at once: no further handler of any window runs, not even a close or
// unload handler. Returns to the caller, which must not do anything afterwards.
void End();
bool HasEnded();

// Shows one clear Japanese message and ends the program with a non-zero status.
void ReportRuntimeError(const QString &message);

// Wraps a handler for connection to a Qt signal: a RuntimeError it throws becomes the report,
// and nothing runs once the program has ended.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler](auto &&...) {
        if (HasEnded())
            return;
        try {
            handler();
        } catch (const RuntimeError &error) {
            ReportRuntimeError(error.message());
        }
    };
}

// Connects a signal to a handler of the form, guarded as above: the one way every window
// wires its controls, menus and timers to its handlers.
template <typename Sender, typename Signal, typename Form>
void ConnectHandler(Sender *sender, Signal signal, Form *form, void (Form::*handler)())
{
    QObject::connect(sender, signal, form, Guarded([form, handler] { (form->*handler)(); }));
}

// Tests watch End and the report instead of having the process end under them.
struct EndHooks
{
    std::function<void(int status)> end;
    std::function<void(const QString &message)> report;
};
void SetEndHooksForTesting(EndHooks hooks);
void ResetEndForTesting();

} // namespace pukalo
