#include "settings/favourites.h"

#include "platform/programinfo.h"
#include "platform/settingsstore.h"
#include "settings/entryfile.h"

#include <algorithm>
#include <limits>

namespace pukalo::Favourites {

namespace {
// Thousands of lines; a larger file is not one this program wrote.
constexpr qint64 kMostBytes = 1024 * 1024;
} // namespace

QString FilePath()
{
    return DataFilePath(QString::fromUtf8(program::kName), QStringLiteral("favourites"));
}

std::vector<CatalogueEntry> Read()
{
    return EntryFile::Resolve(EntryFile::Read(FilePath(), kMostBytes),
                              std::numeric_limits<size_t>::max());
}

bool Contains(const std::vector<CatalogueEntry> &favourites, const CatalogueEntry &entry)
{
    return std::any_of(favourites.begin(), favourites.end(), [&](const CatalogueEntry &e) {
        return e.row->kaomoji == entry.row->kaomoji;
    });
}

bool Mark(const CatalogueEntry &entry, bool favourite, QString *why)
{
    const QString kaomoji = QStringView(entry.row->kaomoji).toString();
    return EntryFile::Change(
        FilePath(), kMostBytes,
        [&](std::vector<EntryFile::Line> &lines) {
            const bool there = std::any_of(lines.begin(), lines.end(),
                                           [&](const auto &l) { return l.kaomoji == kaomoji; });
            if (!favourite)
                std::erase_if(lines, [&](const auto &l) { return l.kaomoji == kaomoji; });
            else if (!there)
                lines.push_back(EntryFile::LineOf(entry));
        },
        why);
}

} // namespace pukalo::Favourites
