#include "settings/entryfile.h"

#include "platform/filestore.h"

#include <algorithm>

namespace pukalo::EntryFile {

namespace {
// Another instance writes such a file in milliseconds; waiting longer would hold up a copy.
constexpr std::chrono::milliseconds kLockLimit(1000);
} // namespace

std::vector<Line> Parse(const QByteArray &bytes)
{
    std::vector<Line> lines;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (const qsizetype tab = text.indexOf(u'\t'); tab >= 0)
            lines.push_back({text.left(tab), text.mid(tab + 1)});
    }
    return lines;
}

QByteArray Format(const std::vector<Line> &lines)
{
    QByteArray bytes;
    for (const Line &l : lines)
        bytes += (l.category + u'\t' + l.kaomoji + u'\n').toUtf8();
    return bytes;
}

Line LineOf(const CatalogueEntry &entry)
{
    return {QStringView(entry.category->name).toString(),
            QStringView(entry.row->kaomoji).toString()};
}

std::vector<CatalogueEntry> Resolve(const std::vector<Line> &lines, size_t limit)
{
    std::vector<CatalogueEntry> entries;
    for (const Line &line : lines) {
        if (entries.size() == limit)
            break;
        const std::optional<CatalogueEntry> entry = FindKaomoji(line.kaomoji, line.category);
        if (entry && std::none_of(entries.begin(), entries.end(), [&](const CatalogueEntry &e) {
                return e.row->kaomoji == entry->row->kaomoji;
            }))
            entries.push_back(*entry);
    }
    return entries;
}

std::vector<Line> Read(const QString &path, qint64 mostBytes)
{
    QByteArray bytes;
    QString why;
    if (FileStore::ReadFile(path, mostBytes, &bytes, &why) != FileStore::Read::Done)
        return {};
    return Parse(bytes);
}

bool Change(const QString &path, qint64 mostBytes,
            const std::function<void(std::vector<Line> &)> &change, QString *why)
{
    const FileStore::Lock lock(path, kLockLimit);
    if (!lock.IsLocked(why))
        return false;
    QByteArray bytes;
    switch (FileStore::ReadFile(path, mostBytes, &bytes, why)) {
    case FileStore::Read::Done:
    case FileStore::Read::Missing:
        break;
    case FileStore::Read::NotRegular:
    case FileStore::Read::Failed:
        return false; // what stands there is left as it is
    }
    std::vector<Line> lines = Parse(bytes);
    change(lines);
    return FileStore::ReplaceFile(path, Format(lines), why);
}

} // namespace pukalo::EntryFile
