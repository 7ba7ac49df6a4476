#include "platform/wayland/compositor.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace pukalo::NativePaste {

namespace {
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

class Sway : public Compositor
{
public:
    explicit Sway(Listener listener)
        : m_listener(std::move(listener)),
          m_events([this](quint32 type, const QJsonObject &event) { heard(type, event); }),
          m_commands([](quint32, const QJsonObject &) {})
    {
        m_events.send(kSubscribe, R"(["window","workspace"])");
    }

    bool following() const override { return m_events.connected() && m_commands.connected(); }

    void focus(const QString &id) override
    {
        m_commands.send(kRunCommand, focusCommand("con_id", id.toLongLong()));
    }

    void focusX11(std::uint32_t window) override
    {
        m_commands.send(kRunCommand, focusCommand("id", window));
    }

private:
    void heard(quint32 type, const QJsonObject &event)
    {
        const QString change = event[QLatin1StringView("change")].toString();
        if (type == kWindowEvent) {
            const QJsonObject container = event[QLatin1StringView("container")].toObject();
            const QString id = QString::number(container[QLatin1StringView("id")].toInteger(-1));
            if (change == QLatin1StringView("focus")) {
                const bool x11 = container[QLatin1StringView("shell")].toString() ==
                                 QLatin1StringView("xwayland");
                m_listener.focused(
                    {x11 ? Seen::Kind::X11 : Seen::Kind::Native, id,
                     container[QLatin1StringView("pid")].toInteger(),
                     std::uint32_t(container[QLatin1StringView("window")].toInteger())});
            } else if (change == QLatin1StringView("close")) {
                m_listener.gone(id);
            }
        } else if (type == kWorkspaceEvent && change == QLatin1StringView("focus")) {
            // A workspace without windows: the user left every window for the desktop.
            const QJsonObject current = event[QLatin1StringView("current")].toObject();
            if (current[QLatin1StringView("nodes")].toArray().isEmpty() &&
                current[QLatin1StringView("floating_nodes")].toArray().isEmpty())
                m_listener.focused({});
        }
    }

    Listener m_listener;
    Ipc m_events, m_commands;
};
} // namespace

std::unique_ptr<Compositor> FollowSway(Listener listener)
{
    auto sway = std::make_unique<Sway>(std::move(listener));
    if (!sway->following())
        return nullptr;
    return sway;
}

} // namespace pukalo::NativePaste
