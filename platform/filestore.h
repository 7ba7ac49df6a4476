#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <memory>

class QLockFile;

// How the program reads and writes the user's files (settings, history, window sizes): it never
// waits on something that is not a regular file, and a write either completes, on the disk, or
// leaves the old file exactly as it was.
namespace pukalo::FileStore {

enum class Read
{
    Done,
    Missing,    // nothing there: not an error
    NotRegular, // a FIFO, a device, a folder: left alone, never opened for reading
    Failed,
};
// Reads a regular file whole, up to `limit` bytes (a larger one is not ours to read: Failed).
// `why` says what went wrong.
Read ReadFile(const QString &path, qint64 limit, QByteArray *bytes, QString *why);

// Whether something other than a regular file (or a link to one) stands at the path.
bool IsOtherThanRegularFile(const QString &path);

// Replaces the file's contents: written whole to a new file beside it, every write checked,
// flushed to the disk, then renamed over it (through a symbolic link, its target), its folder
// made first. False, with the reason, and the old file untouched, when anything fails.
// A file without its owner's write bit is left alone: false.
[[nodiscard]] bool ReplaceFile(const QString &path, const QByteArray &bytes, QString *why);

// Tests make one step of every later ReplaceFile fail as the system would (None: none).
enum class ReplaceStep
{
    None,
    Write,
    ShortWrite, // the first byte written, then the disk full
    Sync,
    Rename,
};
void FailReplaceForTesting(ReplaceStep step);

// The lock beside a file (its path and ".lock", the lock QSettings takes), taken within a time
// limit for one read-change-write; a lock left by a process that is gone is cleared at once.
class Lock
{
public:
    Lock(const QString &path, std::chrono::milliseconds limit);
    ~Lock();
    // False, with the reason in `why` if given, where another program held it past the limit.
    bool IsLocked(QString *why = nullptr) const;

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_why;
};

} // namespace pukalo::FileStore
