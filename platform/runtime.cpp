#include "platform/runtime.h"

#include "platform/clipboard.h"

#include <QCoreApplication>

namespace pukalo {

namespace {
bool s_ended = false;
std::function<void(int)> s_hook;
} // namespace

void End()
{
    if (s_ended)
        return;
    // A clear that the exit procedure asked for happens before anything else ends.
    Clipboard::Flush();
    s_ended = true;
    if (s_hook) {
        s_hook(0);
        return;
    }
    // Leaves every event loop, nested modal ones included. Events still queued may be
    // delivered on the way out, but every handler is connected through Guarded, and the close
    // and unload paths check HasEnded, so none of them runs after this.
    QCoreApplication::exit(0);
}

bool HasEnded()
{
    return s_ended;
}

void SetEndHookForTesting(std::function<void(int)> hook)
{
    s_hook = std::move(hook);
}

void ResetEndForTesting()
{
    s_ended = false;
}

} // namespace pukalo
