#include "platform/wayland/nativepaste.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace pukalo::NativePaste {

namespace {
// As long as the X11 paste waits for its window: a pick never lands after the user has gone on.
constexpr int kFocusLimitMs = 1000;
// The input method's answer to one commit; never asked again after no answer.
constexpr int kCommitAnswerLimitMs = 500;

const QString kImService = QStringLiteral("org.fcitx.Fcitx5");
const QString kImPath = QStringLiteral("/jp/pukalo/Paste");
const QString kImInterface = QStringLiteral("jp.pukalo.Paste1");

// i3's IPC, which sway speaks: a magic string, the payload's length and its type, then JSON.
constexpr std::array<char, 6> kMagic{'i', '3', '-', 'i', 'p', 'c'};
constexpr quint32 kRunCommand = 0, kSubscribe = 2;
constexpr quint32 kEventBit = 0x80000000u, kWorkspaceEvent = kEventBit | 0,
                  kWindowEvent = kEventBit | 3;

// One connection to the compositor's socket, read as the event loop finds data on it.
class Ipc
{
public:
    explicit Ipc(std::function<void(quint32, const QJsonObject &)> received)
        : m_received(std::move(received))
    {
        const QByteArray path = qgetenv("SWAYSOCK");
        sockaddr_un address{};
        if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
            return;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        // A compositor's local socket accepts at once or not at all; the writes that follow are
        // a few bytes each, taken by the socket's buffer.
        if (m_fd < 0 ||
            connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            close();
            return;
        }
        fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { read(); });
    }
    ~Ipc() { close(); }
    Ipc(const Ipc &) = delete;
    Ipc &operator=(const Ipc &) = delete;

    bool connected() const { return m_fd >= 0; }

    bool send(quint32 type, const QByteArray &payload)
    {

        QByteArray message(kMagic.data(), kMagic.size());
        const std::array<quint32, 2> header{quint32(payload.size()), type};
        message.append(reinterpret_cast<const char *>(header.data()), sizeof header);
        message.append(payload);
        qsizetype sent = 0;
        while (m_fd >= 0 && sent < message.size()) {
            const ssize_t n = ::send(m_fd, message.constData() + sent,
                                     size_t(message.size() - sent), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close();
                return false;
            }
            sent += n;
        }
        return m_fd >= 0;
    }

private:
    void read()
    {
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
            if (n > 0) {
                m_buffer.append(chunk, n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                close(); // the compositor has gone: no more is followed
            break;
        }
        constexpr qsizetype kHeader = kMagic.size() + 2 * sizeof(quint32);
        while (m_buffer.size() >= kHeader) {
            std::array<quint32, 2> header{};
            std::memcpy(header.data(), m_buffer.constData() + kMagic.size(), sizeof header);
            if (m_buffer.size() < kHeader + qsizetype(header[0]))
                break;
            const QJsonDocument json =
                QJsonDocument::fromJson(m_buffer.mid(kHeader, qsizetype(header[0])));
            m_buffer.remove(0, kHeader + qsizetype(header[0]));
            if (json.isObject())
                m_received(header[1], json.object());
        }
    }

    void close()
    {
        m_notifier.reset();
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
        m_buffer.clear();
    }

    std::function<void(quint32, const QJsonObject &)> m_received;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_buffer;
};

QByteArray focusCommand(const char *criterion, qint64 id)
{
    return QByteArray("[") + criterion + '=' + QByteArray::number(id) + "] focus";
}

class Follower
{
public:
    Follower()
        : m_events([this](quint32 type, const QJsonObject &event) { heard(type, event); }),
          m_commands([](quint32, const QJsonObject &) {})
    {
        m_events.send(kSubscribe, R"(["window","workspace"])");
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { tryToPaste(); });
    }

    bool following() const { return m_events.connected() && m_commands.connected(); }

    Focus lastFocus() const
    {
        if (m_last == Last::Native && !m_imReady)
            return {Last::Nothing, PasteBack::NoTarget::NotX11, m_serial};
        return {m_last, m_why, m_serial, m_last == Last::X11 ? m_x11Window : 0};
    }

    // Each pick in turn, its own text, once, in order: the next once the one before was taken.
    void paste(const QString &text, PasteBack::PasteDone done)
    {
        if (lastFocus().last != Last::Native || m_target < 0)
            return done(PasteBack::Outcome::NoTarget, QString());
        m_queue.push_back({text, std::move(done)});
        if (m_queue.size() == 1)
            startNext();
    }

    void refocus()
    {
        if (lastFocus().last == Last::Native && m_target >= 0)
            m_commands.send(kRunCommand, focusCommand("con_id", m_target));
    }

    void focusX11(std::uint32_t window)
    {
        m_commands.send(kRunCommand, focusCommand("id", window));
    }

private:
    void heard(quint32 type, const QJsonObject &event)
    {
        const QString change = event[QLatin1StringView("change")].toString();
        if (type == kWindowEvent) {
            const QJsonObject container = event[QLatin1StringView("container")].toObject();
            const qint64 id = container[QLatin1StringView("id")].toInteger(-1);
            if (change == QLatin1StringView("focus"))
                focused(id, container);
            else if (change == QLatin1StringView("close"))
                closed(id);
        } else if (type == kWorkspaceEvent && change == QLatin1StringView("focus")) {
            // A workspace without windows: the user left every window for the desktop.
            const QJsonObject current = event[QLatin1StringView("current")].toObject();
            if (current[QLatin1StringView("nodes")].toArray().isEmpty() &&
                current[QLatin1StringView("floating_nodes")].toArray().isEmpty()) {
                m_focused = -1;
                note(Last::Nothing, PasteBack::NoTarget::Desktop, -1);
            }
        }
        tryToPaste();
    }

    void focused(qint64 id, const QJsonObject &container)
    {
        m_focused = id;
        // A window of this program's own (the main window, the search window) under XWayland:
        // the user came to pick; the window written in stays the target.
        if (container[QLatin1StringView("pid")].toInteger() == QCoreApplication::applicationPid())
            return;
        if (container[QLatin1StringView("shell")].toString() == QLatin1StringView("xwayland")) {
            note(Last::X11, PasteBack::NoTarget::None, -1);
            m_x11Window = std::uint32_t(container[QLatin1StringView("window")].toInteger());
        } else {
            note(Last::Native, PasteBack::NoTarget::None, id);
            askWhetherReady(); // only a native window is pasted into through the input method
        }
    }

    // Whether the input method with the addon runs, asked while the user is on the way to the
    // picker: a pick it could not paste gives the focus away from the picker for nothing.
    void askWhetherReady()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kImService, kImPath, kImInterface,
                                                           QStringLiteral("Ready"));
        call.setAutoStartService(false); // never an input method of the program's own starting
        auto *watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(call, kCommitAnswerLimitMs));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [this, watcher](QDBusPendingCallWatcher *) {
                             watcher->deleteLater();
                             const QDBusPendingReply<bool> reply(*watcher);
                             if (std::exchange(m_imReady, !reply.isError() && reply.value()) !=
                                 m_imReady)
                                 ++m_serial;
                         });
    }

    // Forgotten at once: the compositor may give the id to the next window.
    void closed(qint64 id)
    {
        if (id == m_pasting)
            m_pasting = -1;
        if (id == m_target)
            note(Last::Nothing, PasteBack::NoTarget::Closed, -1);
    }

    void note(Last last, PasteBack::NoTarget why, qint64 target)
    {
        if (last != m_last || why != m_why || target != m_target)
            ++m_serial;
        m_last = last;
        m_why = why;
        m_target = target;
    }

    // The input method writes into the field with the keyboard focus: asked only once the
    // compositor says the window has it, and again while the input method says its field has not
    // come back yet. Never asked again once it took the text, nor after it failed to answer.
    void startNext()
    {
        m_poll.stop();
        if (m_queue.empty())
            return;
        m_pasting = m_target;
        if (m_pasting < 0)
            return finish(PasteBack::Outcome::NotBack, QStringLiteral("the window was closed"));
        m_notYet.clear();
        m_elapsed.start();
        m_commands.send(kRunCommand, focusCommand("con_id", m_pasting));
        m_poll.start();
    }

    void tryToPaste()
    {
        if (m_queue.empty() || m_asking)
            return;
        if (m_pasting < 0)
            return finish(PasteBack::Outcome::NotBack, QStringLiteral("the window was closed"));
        if (m_elapsed.elapsed() > kFocusLimitMs)
            return finish(
                m_notYet.isEmpty() ? PasteBack::Outcome::NotBack : PasteBack::Outcome::InputMethod,
                m_notYet.isEmpty() ? QStringLiteral("the window did not get the focus") : m_notYet);
        if (m_focused != m_pasting)
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(kImService, kImPath, kImInterface,
                                                           QStringLiteral("Commit"));
        call.setAutoStartService(false); // never an input method of the program's own starting
        // The input method knows a field's program by its file's name.
        call << m_queue.front().text
             << QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        m_asking = true;
        auto *watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(call, kCommitAnswerLimitMs));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [this, watcher](QDBusPendingCallWatcher *) {
                             watcher->deleteLater();
                             answered(QDBusPendingReply<QString>(*watcher));
                         });
    }

    void answered(const QDBusPendingReply<QString> &reply)
    {
        m_asking = false;
        if (reply.isError())
            return finish(PasteBack::Outcome::InputMethod,
                          QStringLiteral("the input method fcitx5 with Pukalo's addon did not "
                                         "answer: ") +
                              reply.error().message());
        if (reply.value().isEmpty())
            return finish(PasteBack::Outcome::Pasted, QString());
        m_notYet = reply.value(); // its field has not the focus yet: asked again on the next poll
    }

    void finish(PasteBack::Outcome outcome, const QString &why)
    {
        m_pasting = -1;
        const PasteBack::PasteDone done = std::move(m_queue.front().done);
        m_queue.pop_front();
        if (done)
            done(outcome, why);
        startNext();
    }

    Ipc m_events, m_commands;
    Last m_last = Last::Nothing;
    PasteBack::NoTarget m_why = PasteBack::NoTarget::NotYetSeen;
    unsigned m_serial = 0;
    qint64 m_target = -1, m_focused = -1, m_pasting = -1;
    std::uint32_t m_x11Window = 0;
    std::deque<PasteBack::Pick> m_queue; // the pick being pasted first
    QString m_notYet;
    bool m_asking = false, m_imReady = false;
    QTimer m_poll;
    QElapsedTimer m_elapsed;
};

Follower *&follower()
{
    static Follower *instance = nullptr;
    return instance;
}
} // namespace

void Follow()
{
    if (follower() || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsEmpty("SWAYSOCK"))
        return;
    auto *candidate = new Follower;
    if (candidate->following())
        follower() = candidate;
    else
        delete candidate;
}

Focus LastFocus()
{
    return follower() && follower()->following() ? follower()->lastFocus() : Focus{};
}

void Paste(const QString &text, PasteBack::PasteDone done)
{
    if (!follower())
        return done(PasteBack::Outcome::NoTarget, QString());
    follower()->paste(text, std::move(done));
}

void Refocus()
{
    if (follower())
        follower()->refocus();
}

void FocusX11Window(std::uint32_t window)
{
    if (follower())
        follower()->focusX11(window);
}

} // namespace pukalo::NativePaste
