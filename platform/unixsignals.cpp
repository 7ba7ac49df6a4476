#include "platform/unixsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pukalo {

namespace {
int s_pipe[2] = {-1, -1};

void onSignal(int)
{
    // Nothing but async-signal-safe calls here, and errno as the interrupted code left it; the
    // rest happens in the event loop.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(s_pipe[0], &byte, 1);
    errno = savedErrno;
}
} // namespace

void RouteTerminationSignals(std::function<void()> handler)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, s_pipe) != 0)
        return;

    auto *notifier =
        new QSocketNotifier(s_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler] {
        char buffer[16];
        while (::read(s_pipe[1], buffer, sizeof buffer) > 0) {
        }
        handler();
    });

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        // A signal ignored when the program started (nohup ignores SIGHUP) stays ignored.
        struct sigaction before = {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace pukalo
