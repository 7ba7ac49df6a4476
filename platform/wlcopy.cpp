#include "platform/handover.h"

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(PUKALO_HAVE_WAYLAND)
#include <wayland-client.h>
#endif

namespace pukalo {

namespace {
// Whether the compositor lets a program hold the clipboard without a window: the data-control
// protocols that wl-copy uses. Without them wl-copy would flash a window of its own.
bool compositorOffersDataControl()
{
#if defined(PUKALO_HAVE_WAYLAND)
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool offered = false;
    const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            *static_cast<bool *>(data) = *static_cast<bool *>(data) ||
                                         !std::strcmp(interface, "zwlr_data_control_manager_v1") ||
                                         !std::strcmp(interface, "ext_data_control_manager_v1");
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
#else
    return false;
#endif
}
} // namespace

bool HandOverToWlCopy(const QByteArray &text)
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || text.isEmpty() ||
        !compositorOffersDataControl())
        return false;
    const QByteArray wlCopy =
        QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("wl-copy")));
    if (wlCopy.isEmpty()) {
        std::fprintf(stderr, "pukalo: the copied text could not be kept on the clipboard after "
                             "exit: wl-copy (package wl-clipboard) is not installed\n");
        return false;
    }
    // wl-copy takes the text as its one argument, exactly, and serves it from a process of its
    // own once it has taken the clipboard; the one started here returns then.
    char type[] = "--type", mime[] = "text/plain;charset=utf-8", end[] = "--";
    char *const arguments[] = {const_cast<char *>(wlCopy.constData()), type,   mime, end,
                               const_cast<char *>(text.constData()),   nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, wlCopy.constData(), nullptr, nullptr, arguments, environ) != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace pukalo
