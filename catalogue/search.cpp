#include "catalogue/search.h"

namespace pukalo {

std::vector<CatalogueEntry> AllEntries()
{
    std::vector<CatalogueEntry> entries;
    for (const KaomojiCategory &category : CategoryTable) {
        for (const auto &column : {category.left, category.right}) {
            for (const KaomojiRow &row : column)
                entries.push_back({&category, &row});
        }
    }
    return entries;
}

std::optional<CatalogueEntry> FindKaomoji(QStringView kaomoji, QStringView category)
{
    std::optional<CatalogueEntry> first;
    for (const CatalogueEntry &entry : AllEntries()) {
        if (QStringView(entry.row->kaomoji) != kaomoji)
            continue;
        if (QStringView(entry.category->name) == category)
            return entry;
        if (!first)
            first = entry;
    }
    return first;
}

QString FoldForSearch(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar &c : folded) {
        // Katakana ァ..ヶ sit 0x60 above their hiragana.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(c.unicode() - 0x60);
    }
    return folded;
}

std::vector<CatalogueEntry> Search(const QString &query)
{
    const QString folded = FoldForSearch(query).simplified();
    const QStringList words = folded.split(u' ', Qt::SkipEmptyParts);
    std::vector<CatalogueEntry> first, rest;
    if (words.isEmpty())
        return first;
    for (const CatalogueEntry &entry : AllEntries()) {
        const QString description = FoldForSearch(QStringView(entry.row->description).toString());
        const QString reading = FoldForSearch(QStringView(entry.row->reading).toString());
        const QString haystack = FoldForSearch(QStringView(entry.row->kaomoji).toString()) + u'\n' +
                                 description + u'\n' + reading + u'\n' +
                                 FoldForSearch(QStringView(entry.category->name).toString());
        if (!std::all_of(words.begin(), words.end(),
                         [&](const QString &word) { return haystack.contains(word); }))
            continue;
        const bool starts = description.startsWith(folded) || reading.startsWith(folded);
        (starts ? first : rest).push_back(entry);
    }
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

} // namespace pukalo
