#include "settings/history.h"

#include "platform/filestore.h"
#include "platform/programinfo.h"
#include "platform/sayonce.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"
#include "settings/entryfile.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace pukalo::History {

namespace {
// Far more than sixteen lines can take; a larger file is not one this program wrote.
constexpr qint64 kMostBytes = 64 * 1024;
// Another instance writes the history in milliseconds; waiting longer would hold up a copy.
constexpr std::chrono::milliseconds kLockLimit(1000);

// How long the user stays on a kaomoji before it counts as chosen.
constexpr int kSettleMs = 1000;

struct Settling
{
    QTimer timer;
    std::optional<CatalogueEntry> entry;
    Settling()
    {
        timer.setSingleShot(true);
        timer.setInterval(kSettleMs);
        QObject::connect(&timer, &QTimer::timeout, [] { AddSettling(); });
    }
};

// Never torn down: it is written from the exit handler that runs when Qt ends the program on a
// lost X server, after the statics made since the start are gone.
Settling &settling()
{
    static Settling &instance = *new Settling;
    return instance;
}
} // namespace

QString FilePath()
{
    return StateFilePath(QString::fromUtf8(program::kName), QStringLiteral("history"));
}

std::vector<CatalogueEntry> Read()
{
    return EntryFile::Resolve(EntryFile::Read(FilePath(), kMostBytes), size_t(kLimit));
}

bool Add(const CatalogueEntry &entry, QString *why)
{
    // A choice made outright replaces one the user was only passing by.
    settling().entry.reset();
    settling().timer.stop();
    return EntryFile::Change(
        FilePath(), kMostBytes,
        [&](std::vector<EntryFile::Line> &lines) {
            std::vector<CatalogueEntry> entries = EntryFile::Resolve(lines, size_t(kLimit));
            std::erase_if(entries, [&](const CatalogueEntry &e) {
                return e.row->kaomoji == entry.row->kaomoji;
            });
            entries.insert(entries.begin(), entry);
            if (entries.size() > size_t(kLimit))
                entries.resize(size_t(kLimit));
            lines.clear();
            for (const CatalogueEntry &e : entries)
                lines.push_back(EntryFile::LineOf(e));
        },
        why);
}

void AddOnceSettled(const CatalogueEntry &entry)
{
    settling().entry = entry;
    settling().timer.start();
}

void AddSettling()
{
    settling().timer.stop();
    QString why;
    if (const std::optional<CatalogueEntry> entry = std::exchange(settling().entry, std::nullopt);
        entry && !Add(*entry, &why))
        SayNotSaved(why);
}

bool SayNotSaved(const QString &why)
{
    static SayOnce told;
    if (!told.First())
        return false;
    StderrLine("could not save the recently used kaomoji to %s: %s", qUtf8Printable(FilePath()),
               qUtf8Printable(why));
    return true;
}

bool Clear(QString *why)
{
    // Nothing to empty is already empty; a file that cannot be replaced is reported.
    if (!QFileInfo::exists(FilePath()) && !QFileInfo(FilePath()).isSymLink())
        return true;
    const FileStore::Lock lock(FilePath(), kLockLimit);
    if (!lock.IsLocked(why))
        return false;
    return FileStore::ReplaceFile(FilePath(), {}, why);
}

} // namespace pukalo::History
