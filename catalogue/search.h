#pragma once

#include "catalogue/catalogue.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pukalo {

// One row of the catalogue with the category it belongs to.
struct CatalogueEntry
{
    const KaomojiCategory *category;
    const KaomojiRow *row;
};

// Every row in catalogue order: category by category, the left column, then the right.
std::vector<CatalogueEntry> AllEntries();

// The row of the catalogue with exactly this kaomoji in the category of this name, else its
// first row in any category, if any.
std::optional<CatalogueEntry> FindKaomoji(QStringView kaomoji, QStringView category = {});

// The rows that a query finds. Each blank-separated word must occur in the kaomoji, the
// description, the reading or the category name, hiragana and katakana, full-width and
// half-width forms and letter case alike. Rows whose description or reading starts with the
// query come first, then the others, each in catalogue order. An empty query finds nothing.
std::vector<CatalogueEntry> Search(const QString &query);

// A text folded for matching: half-width forms widened or narrowed as NFKC does, katakana as
// hiragana, letters in one case.
QString FoldForSearch(const QString &text);

} // namespace pukalo
