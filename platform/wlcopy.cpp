#include "platform/handover.h"

#include "platform/spawn.h"
#include "platform/stderrline.h"
#include "platform/waylandsocket.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(PUKALO_HAVE_WAYLAND)
#include <wayland-client.h>
#endif

namespace pukalo {

namespace {
// The whole hand-over gives up after this: the exit must not hang on a compositor that never
// answers or a wl-copy that never returns.
constexpr int kLimitMs = 1000;

int msLeft(const QElapsedTimer &clock)
{
    return int(std::max<qint64>(0, kLimitMs - clock.elapsed()));
}

#if defined(PUKALO_HAVE_WAYLAND)
// wl_display_roundtrip with a time limit: the registry is announced before the sync's answer.
bool roundtrip(wl_display *display, const QElapsedTimer &clock)
{
    bool done = false;
    wl_callback *sync = wl_display_sync(display);
    static const wl_callback_listener listener = {
        [](void *data, wl_callback *, uint32_t) { *static_cast<bool *>(data) = true; },
    };
    wl_callback_add_listener(sync, &listener, &done);
    while (!done) {
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                break;
        }
        if (done) {
            wl_display_cancel_read(display);
            break;
        }
        wl_display_flush(display);
        pollfd ready = {wl_display_get_fd(display), POLLIN, 0};
        const int polled = poll(&ready, 1, msLeft(clock));
        if (polled <= 0) {
            wl_display_cancel_read(display);
            if (polled < 0 && errno == EINTR)
                continue;
            break; // no answer within the limit
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            break;
    }
    wl_callback_destroy(sync);
    return done;
}
#endif

// Whether the compositor lets a program hold the clipboard without a window: the data-control
// protocols that wl-copy uses. Without them wl-copy would flash a window of its own.
bool compositorOffersDataControl(const QElapsedTimer &clock)
{
#if defined(PUKALO_HAVE_WAYLAND)
    // Connected within the limit: wl_display_connect() would wait without one.
    wl_display *display = nullptr;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) {
        display = wl_display_connect(nullptr);
    } else if (const int fd = ConnectToWayland(clock, kLimitMs); fd >= 0) {
        // As wl_display_connect() does: the socket is the display's, or closed here.
        display = wl_display_connect_to_fd(fd);
        if (!display)
            close(fd);
    }
    if (!display)
        return false;
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            *static_cast<bool *>(data) = *static_cast<bool *>(data) ||
                                         !std::strcmp(interface, "zwlr_data_control_manager_v1") ||
                                         !std::strcmp(interface, "ext_data_control_manager_v1");
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = roundtrip(display, clock);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && offered;
#else
    Q_UNUSED(clock)
    return false;
#endif
}

// wl-copy takes the text as its one argument, exactly, and serves it from a process of its own
// once it has taken the clipboard; the one started here returns then. It starts detached, as
// the X keeper does.
bool runWlCopy(const QByteArray &wlCopy, const QByteArray &text, const QElapsedTimer &clock)
{
    const pid_t pid = SpawnDetached(wlCopy, {"--type", "text/plain;charset=utf-8", "--", text});
    if (pid < 0)
        return false;
    // A few milliseconds when all is well; a wl-copy still busy at the limit is left to finish
    // or fail on its own.
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if ((done < 0 && errno != EINTR) || msLeft(clock) == 0)
            return false;
        usleep(2000);
    }
}
} // namespace

void ReportLostCopy(const char *why)
{
    StderrLine("the copied text could not be kept on the clipboard after exit: %s", why);
}

WlCopyResult HandOverToWlCopy(const QByteArray &text)
{
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || text.isEmpty() ||
        !compositorOffersDataControl(clock))
        return WlCopyResult::NotNeeded;
    const QByteArray wlCopy =
        QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("wl-copy")));
    if (wlCopy.isEmpty())
        return WlCopyResult::Missing;
    return runWlCopy(wlCopy, text, clock) ? WlCopyResult::Kept : WlCopyResult::Failed;
}

} // namespace pukalo
