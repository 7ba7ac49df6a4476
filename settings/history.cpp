#include "settings/history.h"

#include "platform/programinfo.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace pukalo::History {

namespace {
// Far more than sixteen lines can take; a file larger than this is not ours to read whole.
constexpr qint64 kMostBytes = 64 * 1024;

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

bool write(const std::vector<CatalogueEntry> &entries, QString *why)
{
    const QString path = FilePath();
    if (!QDir().mkpath(QFileInfo(path).path())) {
        *why = QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).path());
        return false;
    }
    // Written whole to a new file that replaces the old one only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(format(entries)) < 0 || !file.commit()) {
        *why = file.errorString();
        return false;
    }
    return true;
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
        QObject::connect(&timer, &QTimer::timeout, [this] { AddSettling(); });
    }
};

Settling &settling()
{
    static Settling instance;
    return instance;
}
} // namespace

QString FilePath()
{
    return StateFilePath(QString::fromUtf8(program::kName), QStringLiteral("history"));
}

std::vector<CatalogueEntry> Read()
{
    std::vector<CatalogueEntry> entries;
    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QList<QByteArray> lines = file.read(kMostBytes).split('\n');
    for (const QByteArray &line : lines) {
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

void Add(const CatalogueEntry &entry)
{
    // A choice made outright replaces one the user was only passing by.
    settling().entry.reset();
    settling().timer.stop();
    std::vector<CatalogueEntry> entries = Read();
    std::erase_if(entries, [&](const CatalogueEntry &e) { return sameKaomoji(e, entry); });
    entries.insert(entries.begin(), entry);
    if (entries.size() > size_t(kLimit))
        entries.resize(size_t(kLimit));
    QString why;
    static bool told = false;
    if (!write(entries, &why) && !told) {
        told = true;
        StderrLine("could not save the recently used kaomoji to %s: %s", qUtf8Printable(FilePath()),
                   qUtf8Printable(why));
    }
}

void AddOnceSettled(const CatalogueEntry &entry)
{
    settling().entry = entry;
    settling().timer.start();
}

void AddSettling()
{
    settling().timer.stop();
    if (const std::optional<CatalogueEntry> entry = std::exchange(settling().entry, std::nullopt))
        Add(*entry);
}

bool Clear(QString *why)
{
    // Nothing to empty is already empty; a file that cannot be replaced is reported.
    if (!QFileInfo::exists(FilePath()) && !QFileInfo(FilePath()).isSymLink())
        return true;
    return write({}, why);
}

} // namespace pukalo::History
