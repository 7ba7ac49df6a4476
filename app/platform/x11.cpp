#include "app/platform/x11.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <utility>

#if defined(PUKALO_HAVE_XCB)
#include "app/platform/xcbutil.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#endif

namespace pukalo {

#if defined(PUKALO_HAVE_XCB)
namespace {
xcb_connection_t *connection()
{
    // Other platform plugins (offscreen among them) may offer the X11 interface without a
    // connection behind it.
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The window that owns the clipboard, if it is one of this program's own.
xcb_window_t ownClipboardWindow(xcb_connection_t *c)
{
    const xcb_window_t owner = xcb::SelectionOwner(c, xcb::Intern(c, "CLIPBOARD"));
    // Every resource id a client creates carries the base the server gave its connection.
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (owner == XCB_NONE || (owner & ~setup->resource_id_mask) != setup->resource_id_base)
        return XCB_NONE;
    return owner;
}

constexpr int kReadyTimeoutMs = 250;

// Beside the program in a build folder; in its libexec folder once installed.
QString keeperPath()
{
    const QString bin = QCoreApplication::applicationDirPath();
    QStringList candidates{bin + QStringLiteral("/pukalo-clipkeep")};
#if defined(PUKALO_KEEPER_FROM_BIN)
    candidates << bin + QStringLiteral("/" PUKALO_KEEPER_FROM_BIN "/pukalo-clipkeep");
#endif
    for (const QString &path : candidates) {
        if (QFileInfo(path).isExecutable())
            return QFileInfo(path).canonicalFilePath();
    }
    return QString();
}

// A file descriptor closed by whoever holds it last.
class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    UniqueFd(UniqueFd &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~UniqueFd()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

struct Pipe
{
    UniqueFd read, write;
};

std::optional<Pipe> makePipe()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// The keeper runs in a session of its own, so that the end of a terminal that started Pukalo
// does not end it too, with default signal handling; it reads the text on standard input,
// answers on standard output and says nothing.
bool spawnKeeper(const QByteArray &keeper, xcb_window_t owner, const Pipe &text, const Pipe &ready)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, text.read.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, ready.write.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char ownerArgument[16];
    std::snprintf(ownerArgument, sizeof ownerArgument, "%x", unsigned(owner));
    char *const arguments[] = {const_cast<char *>(keeper.constData()), ownerArgument, nullptr};
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, keeper.constData(), &files, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    return spawned == 0;
}

void sendText(UniqueFd pipe, const QByteArray &text)
{
    // A keeper that died early must not take Pukalo with it through SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    for (qsizetype sent = 0; sent < text.size();) {
        const ssize_t n = write(pipe.get(), text.constData() + sent, size_t(text.size() - sent));
        if (n <= 0)
            break;
        sent += n;
    }
}

void awaitReady(const UniqueFd &pipe)
{
    pollfd ready = {pipe.get(), POLLIN, 0};
    if (poll(&ready, 1, kReadyTimeoutMs) > 0) {
        char byte;
        [[maybe_unused]] ssize_t n = read(pipe.get(), &byte, 1);
    }
}
} // namespace
#endif

bool OnX11()
{
#if defined(PUKALO_HAVE_XCB)
    return connection() != nullptr;
#else
    return false;
#endif
}

bool X11DisplayReachableIfNeeded()
{
#if defined(PUKALO_HAVE_XCB)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // A platform named outright, other than X11, is Qt's business; so is a Wayland session
    // when none is named (Qt then prefers Wayland and falls back to X11 itself).
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return reachable;
#else
    return true;
#endif
}

void SkipTaskbar(QWidget *window)
{
#if defined(PUKALO_HAVE_XCB)
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_atom_t state = xcb::Intern(c, "_NET_WM_STATE");
    const xcb_atom_t skip = xcb::Intern(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    // On a window not mapped yet, the state property is the request; Qt merges its own states
    // into what it finds there when it maps the window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()), state,
                        XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(c);
#else
    Q_UNUSED(window)
#endif
}

void HandOverClipboard()
{
#if defined(PUKALO_HAVE_XCB)
    xcb_connection_t *c = connection();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!c || !clipboard->ownsClipboard())
        return;
    const QByteArray text = clipboard->text(QClipboard::Clipboard).toUtf8();
    // Asked of the server, not of Qt's bookkeeping: another program may have taken the
    // clipboard a moment ago.
    const xcb_window_t owner = ownClipboardWindow(c);
    const QByteArray keeper = QFile::encodeName(keeperPath());
    if (text.isEmpty() || owner == XCB_NONE || keeper.isEmpty())
        return;
    std::optional<Pipe> textPipe = makePipe();
    std::optional<Pipe> readyPipe = makePipe();
    if (!textPipe || !readyPipe || !spawnKeeper(keeper, owner, *textPipe, *readyPipe))
        return;
    // Only the keeper holds these ends now: its exit or its answer is what the waits see.
    textPipe->read = UniqueFd();
    readyPipe->write = UniqueFd();
    sendText(std::move(textPipe->write), text);
    awaitReady(readyPipe->read);
#endif
}

void ExitNow(int status)
{
#if defined(PUKALO_HAVE_XCB)
    if (xcb_connection_t *c = connection())
        xcb::Reply<xcb_get_input_focus_reply_t>(
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
#endif
    std::fflush(nullptr);
    _exit(status);
}

} // namespace pukalo
