#include "settings/history.h"

#include "platform/filestore.h"
#include "platform/programinfo.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"

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

bool sameKaomoji(const CatalogueEntry &a, const CatalogueEntry &b)
{
    return a.row->kaomoji == b.row->kaomoji;
}

QByteArray format(const std::vector<CatalogueEntry> &entries)
{
    QByteArray bytes;
    for (const CatalogueEntry &e : entries)
        bytes += (QStringView(e.category->name).toString() + u'\t' +
                  QStringView(e.row->kaomoji).toString() + u'\n')
                     .toUtf8();
    return bytes;
}

std::vector<CatalogueEntry> parse(const QByteArray &bytes)
{
    std::vector<CatalogueEntry> entries;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line);
        const qsizetype tab = text.indexOf(u'\t');
        const std::optional<CatalogueEntry> entry =
            tab < 0 ? std::nullopt
                    : FindKaomoji(QStringView(text).mid(tab + 1), QStringView(text).left(tab));
        if (!entry || std::any_of(entries.begin(), entries.end(),
                                  [&](const CatalogueEntry &e) { return sameKaomoji(e, *entry); }))
            continue;
        entries.push_back(*entry);
        if (entries.size() == size_t(kLimit))
            break;
    }
    return entries;
}

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
    QByteArray bytes;
    QString why;
    if (FileStore::ReadFile(FilePath(), kMostBytes, &bytes, &why) != FileStore::Read::Done)
        return {};
    return parse(bytes);
}

bool Add(const CatalogueEntry &entry, QString *why)
{
    // A choice made outright replaces one the user was only passing by.
    settling().entry.reset();
    settling().timer.stop();
    const FileStore::Lock lock(FilePath(), kLockLimit);
    if (!lock.IsLocked(why))
        return false;
    QByteArray bytes;
    switch (FileStore::ReadFile(FilePath(), kMostBytes, &bytes, why)) {
    case FileStore::Read::Done:
    case FileStore::Read::Missing:
        break;
    case FileStore::Read::NotRegular:
    case FileStore::Read::Failed:
        return false; // what stands there is left as it is
    }
    std::vector<CatalogueEntry> entries = parse(bytes);
    std::erase_if(entries, [&](const CatalogueEntry &e) { return sameKaomoji(e, entry); });
    entries.insert(entries.begin(), entry);
    if (entries.size() > size_t(kLimit))
        entries.resize(size_t(kLimit));
    return FileStore::ReplaceFile(FilePath(), format(entries), why);
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
        entry && !Add(*entry, &why) && FirstFailure())
        StderrLine("could not save the recently used kaomoji to %s: %s", qUtf8Printable(FilePath()),
                   qUtf8Printable(why));
}

bool FirstFailure()
{
    static bool told = false;
    return !std::exchange(told, true);
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
