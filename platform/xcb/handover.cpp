#include "platform/handover.h"

#include "platform/spawn.h"
#include "platform/xcb/qtconnection.h"
#include "platform/xcb/xcbutil.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace pukalo {

namespace {
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

// The keeper reads the text on standard input, answers on standard output and says nothing.
bool spawnKeeper(const QByteArray &keeper, xcb_window_t owner, const Pipe &text, const Pipe &ready)
{
    return SpawnDetached(keeper, {QByteArray::number(owner, 16)}, text.read.get(),
                         ready.write.get()) >= 0;
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

} // namespace

void HandOverToKeeper()
{
    xcb_connection_t *c = xcb::QtConnection();
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
        return ReportLostCopy("its helper pukalo-clipkeep is not installed");
    std::optional<Pipe> textPipe = makePipe();
    std::optional<Pipe> readyPipe = makePipe();
    if (!textPipe || !readyPipe || !spawnKeeper(keeper, owner, *textPipe, *readyPipe))
        return ReportLostCopy("its helper pukalo-clipkeep could not be started");
    // Only the keeper holds these ends now: its exit or its answer is what the waits see.
    textPipe->read = UniqueFd();
    readyPipe->write = UniqueFd();
    sendText(std::move(textPipe->write), text);
    if (!awaitReady(readyPipe->read))
        ReportLostCopy("its helper pukalo-clipkeep did not take it over");
}

void ExitNow(int status)
{
    if (xcb_connection_t *c = xcb::QtConnection())
        xcb::Reply<xcb_get_input_focus_reply_t>(
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    std::fflush(nullptr);
    _exit(status);
}

} // namespace pukalo
