#include "platform/waylandsocket.h"

#include "platform/platformchoice.h"

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace pukalo {

int ConnectToWayland(const QElapsedTimer &clock, int limitMs)
{
    QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty())
        name = "wayland-0";
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray path = name.startsWith('/') ? name : folder + '/' + name;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if ((!name.startsWith('/') && folder.isEmpty()) ||
        size_t(path.size()) >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    // A full listen queue answers EAGAIN at once and at every try; a slot may free up. A try cut
    // short by a signal may have connected all the same: the next says so.
    for (;;) {
        if (connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 ||
            errno == EISCONN)
            break;
        if ((errno != EAGAIN && errno != EINTR) || clock.elapsed() >= limitMs) {
            close(fd);
            return -1;
        }
        usleep(5000);
    }
    // libwayland blocks on the socket as it expects to; left non-blocking, its reads would fail.
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool WaylandAnswers(int limitMs)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return true;
    QElapsedTimer clock;
    clock.start();
    const int fd = ConnectToWayland(clock, limitMs);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool IsWaylandPlatform(QByteArrayView platform)
{
    return platform.startsWith("wayland");
}

bool OnNativeWayland()
{
    return IsWaylandPlatform(QGuiApplication::platformName().toLatin1());
}

bool NativeWaylandPossible()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return WaylandAnswers(1000) &&
           !platforms.entryList({QStringLiteral("libqwayland-*.so")}, QDir::Files).isEmpty();
}

} // namespace pukalo
