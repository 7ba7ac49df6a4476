#pragma once

#include "catalogue/search.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// A file of kaomoji the user chose (the recently used, the favourites), one
// "category<TAB>kaomoji" a line, and how it is changed: under its lock, read afresh, so that what
// another instance wrote meanwhile stays, then written whole beside the old and renamed over it.
namespace pukalo::EntryFile {

struct Line
{
    QString category, kaomoji;
};
std::vector<Line> Parse(const QByteArray &bytes);
QByteArray Format(const std::vector<Line> &lines);
Line LineOf(const CatalogueEntry &entry);

// The rows the lines name, each kaomoji once, at most `limit`; lines that name none left out.
std::vector<CatalogueEntry> Resolve(const std::vector<Line> &lines, size_t limit);

// What can be read of the file now: nothing when something other than a regular file stands
// there, or one larger than `mostBytes`.
std::vector<Line> Read(const QString &path, qint64 mostBytes);

// Reads the file under its lock, lets `change` change its lines, and writes them. False, with
// the reason, and the file as it was, when it could not be read or written.
[[nodiscard]] bool Change(const QString &path, qint64 mostBytes,
                          const std::function<void(std::vector<Line> &)> &change, QString *why);

} // namespace pukalo::EntryFile
