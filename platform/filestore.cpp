#include "platform/filestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace pukalo::FileStore {

namespace {
QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a file descriptor on every way out of a function.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

ReplaceStep &failingStep()
{
    static ReplaceStep step = ReplaceStep::None;
    return step;
}

// The step a test made fail fails as the system fails it: false with errno set.
bool failsHere(ReplaceStep step, int error)
{
    if (failingStep() != step)
        return false;
    errno = error;
    return true;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    if (failsHere(ReplaceStep::Write, EIO))
        return false;
    for (qsizetype written = 0; written < bytes.size();) {
        // A test's short write: one byte reaches the disk, then it is full.
        if (written > 0 && failsHere(ReplaceStep::ShortWrite, ENOSPC))
            return false;
        const size_t left = size_t(bytes.size() - written);
        const ssize_t n = ::write(fd, bytes.constData() + written,
                                  failingStep() == ReplaceStep::ShortWrite ? 1 : left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        written += n;
    }
    return true;
}
} // namespace

bool IsOtherThanRegularFile(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

Read ReadFile(const QString &path, qint64 limit, QByteArray *bytes, QString *why)
{
    // Opened without waiting (a FIFO would wait for a writer for ever), then looked at.
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno == ENOENT)
            return Read::Missing;
        *why = errorText(errno);
        return errno == EISDIR ? Read::NotRegular : Read::Failed;
    }
    struct stat info = {};
    if (::fstat(file.fd, &info) != 0) {
        *why = errorText(errno);
        return Read::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        *why = QStringLiteral("not a regular file");
        return Read::NotRegular;
    }
    if (info.st_size > limit) {
        *why = QStringLiteral("larger than %1 bytes").arg(limit);
        return Read::Failed;
    }
    bytes->resize(qsizetype(info.st_size));
    qsizetype got = 0;
    while (got < bytes->size()) {
        const ssize_t n = ::read(file.fd, bytes->data() + got, size_t(bytes->size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *why = errorText(errno);
            return Read::Failed;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes->truncate(got);
    return Read::Done;
}

bool ReplaceFile(const QString &given, const QByteArray &bytes, QString *why)
{
    // A link (a user's dotfiles) stays a link: its target is what is replaced.
    const QFileInfo link(given);
    const QString path =
        link.isSymLink() && !link.symLinkTarget().isEmpty() ? link.symLinkTarget() : given;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *why = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    if (IsOtherThanRegularFile(path)) {
        *why = QStringLiteral("%1 is not a regular file").arg(path);
        return false;
    }
    struct stat old = {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    // The user made it read-only: it is theirs to keep as it is, though the folder would let a
    // new file be renamed over it.
    if (existed && !(old.st_mode & S_IWUSR)) {
        *why = QStringLiteral("%1 is read-only").arg(path);
        return false;
    }
    QByteArray temporary =
        QFile::encodeName(folder + u'/' + u'.' + QFileInfo(path).fileName()) + ".XXXXXX";
    Descriptor file{::mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.fd < 0) {
        *why = errorText(errno);
        return false;
    }
    // Every step checked: a write cut short by a full disk, a flush or a close that fails,
    // leave the old file as it was.
    const bool written = (!existed || ::fchmod(file.fd, old.st_mode & 07777) == 0) &&
                         writeAll(file.fd, bytes) && !failsHere(ReplaceStep::Sync, EIO) &&
                         ::fsync(file.fd) == 0;
    const int error = errno;
    const int closed = ::close(std::exchange(file.fd, -1));
    if (!written || closed != 0 || failsHere(ReplaceStep::Rename, EXDEV) ||
        ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        *why = errorText(!written ? error : errno);
        ::unlink(temporary.constData());
        return false;
    }
    // The new name on the disk too.
    Descriptor directory{
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (directory.fd >= 0)
        ::fsync(directory.fd);
    return true;
}

void FailReplaceForTesting(ReplaceStep step)
{
    failingStep() = step;
}

Lock::Lock(const QString &path, std::chrono::milliseconds limit)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_why = QStringLiteral("cannot make the folder %1").arg(folder);
        return;
    }
    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // A lock file left empty, or naming a process that is gone, is a killed writer's: cleared
    // at once instead of after Qt's thirty seconds. A live writer holds it for milliseconds.
    m_lock->setStaleLockTime(std::chrono::milliseconds(500));
    if (m_lock->tryLock(limit))
        return;
    m_why = m_lock->error() == QLockFile::LockFailedError
                ? QStringLiteral("its lock is held by another program")
                : QStringLiteral("its lock file %1.lock cannot be made").arg(path);
    m_lock.reset();
}

Lock::~Lock() = default;

bool Lock::IsLocked(QString *why) const
{
    if (!m_lock && why)
        *why = m_why;
    return m_lock != nullptr;
}

} // namespace pukalo::FileStore
