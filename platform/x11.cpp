#include "app/platform/x11.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <utility>

#if defined(PUKALO_HAVE_XCB)
#include "app/platform/selection.h"
#include "app/platform/xcbutil.h"

#include <QAbstractNativeEventFilter>

#include <cerrno>
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

// Long enough for a keeper on a busy machine (it answers in a few milliseconds otherwise),
// short enough that the exit stays prompt when it never answers.
constexpr int kReadyTimeoutMs = 1000;

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
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += n;
    }
}

// True once the keeper says it owns the clipboard. A signal arriving meanwhile (a second
// SIGTERM, the SIGHUP of a closing terminal) must not cut the wait short: the copy would be
// lost, so the wait goes on for the time that remains.
bool awaitReady(const UniqueFd &pipe)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = kReadyTimeoutMs; left > 0; left = kReadyTimeoutMs - clock.elapsed()) {
        pollfd ready = {pipe.get(), POLLIN, 0};
        const int polled = poll(&ready, 1, int(left));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        char byte;
        ssize_t n;
        do
            n = read(pipe.get(), &byte, 1);
        while (n < 0 && errno == EINTR);
        return n == 1;
    }
    return false;
}

// Qt would answer a request for STRING with a text that is not Latin-1 by question marks, and
// any unknown target with success. While Pukalo owns the clipboard its requests are answered
// here instead, as the keeper answers them after the exit: only in forms that hold the text
// exactly.
class ExactClipboard : public QAbstractNativeEventFilter
{
public:
    explicit ExactClipboard(xcb_connection_t *c) : m_connection(c), m_atoms(c) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        auto *event = static_cast<xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7F) != XCB_SELECTION_REQUEST)
            return false;
        const auto &request = *reinterpret_cast<xcb_selection_request_event_t *>(event);
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (request.selection != m_atoms.clipboard || !clipboard->ownsClipboard())
            return false;
        const std::optional<selection::Text> text =
            selection::FromUtf8(clipboard->text(QClipboard::Clipboard).toStdString());
        if (!text)
            return false;
        selection::Answer(m_connection, m_atoms, *text, XCB_CURRENT_TIME, request);
        return true;
    }

private:
    xcb_connection_t *m_connection;
    selection::Atoms m_atoms;
};

void reportLostCopy(const char *why)
{
    std::fprintf(
        stderr, "pukalo: the copied text could not be kept on the clipboard after exit: %s\n", why);
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

bool AlwaysOnTopSupported()
{
#if defined(PUKALO_HAVE_XCB)
    if (xcb_connection_t *c = connection()) {
        const xcb_atom_t above = xcb::Intern(c, "_NET_WM_STATE_ABOVE");
        const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c,
            xcb_get_property(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                             xcb::Intern(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096),
            nullptr));
        const auto *atoms =
            reply ? static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get())) : nullptr;
        return atoms &&
               std::count(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4, above);
    }
#endif
    // Native Wayland lets no program keep its window above others; elsewhere Qt does it.
    return QGuiApplication::platformName() != QLatin1StringView("wayland");
}

bool X11DisplayReachableIfNeeded()
{
#if defined(PUKALO_HAVE_XCB)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // A platform named outright, other than X11, is Qt's business; so is a Wayland session
    // when none is named (Qt then prefers Wayland and falls back to X11 itself).
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    const bool reachable = !qEnvironmentVariableIsEmpty("DISPLAY") && [] {
        xcb_connection_t *c = xcb_connect(nullptr, nullptr);
        const bool connected = xcb_connection_has_error(c) == 0;
        xcb_disconnect(c);
        return connected;
    }();
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        // A Wayland session that offers X11 too (XWayland): run there unless the user chose a
        // platform, for always-on-top and centring work wherever its window manager allows.
        if (reachable)
            qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
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

QMargins FrameExtents(QWidget *window)
{
#if defined(PUKALO_HAVE_XCB)
    xcb_connection_t *c = connection();
    if (!c)
        return {};
    // Asks the window manager what frame the window will get, before it is mapped.
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t extents = xcb::Intern(c, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t request = {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = xcb::Intern(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    // A window manager that knows the request answers within milliseconds; one that does not
    // never does, and the window is then centred without its frame.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (reply && xcb_get_property_value_length(reply.get()) == 16) {
            const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
        }
        usleep(5000);
    }
#else
    Q_UNUSED(window)
#endif
    return {};
}

void ServeClipboardExactly()
{
#if defined(PUKALO_HAVE_XCB)
    if (xcb_connection_t *c = connection())
        qApp->installNativeEventFilter(new ExactClipboard(c));
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
    if (text.isEmpty() || owner == XCB_NONE)
        return;
    const QByteArray keeper = QFile::encodeName(keeperPath());
    if (keeper.isEmpty())
        return reportLostCopy("its helper pukalo-clipkeep is not installed");
    std::optional<Pipe> textPipe = makePipe();
    std::optional<Pipe> readyPipe = makePipe();
    if (!textPipe || !readyPipe || !spawnKeeper(keeper, owner, *textPipe, *readyPipe))
        return reportLostCopy("its helper pukalo-clipkeep could not be started");
    // Only the keeper holds these ends now: its exit or its answer is what the waits see.
    textPipe->read = UniqueFd();
    readyPipe->write = UniqueFd();
    sendText(std::move(textPipe->write), text);
    if (!awaitReady(readyPipe->read))
        reportLostCopy("its helper pukalo-clipkeep did not take it over");
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
