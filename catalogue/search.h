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

// The words that find a row: the reading of its description, its own keywords and its
// category's, as written (hiragana, kanji, English).
QStringList Keywords(const CatalogueEntry &entry);

// The rows that a query finds, best first. Each blank-separated word of the query must match
// the kaomoji, the description, the category name or one of the row's words. Hiragana and
// katakana, full-width and half-width forms and letter case are the same; long vowel marks
// and a small っ may be left out or written as a vowel; a word in Latin letters also matches
// as the hiragana it spells in romaji. A query that equals a word comes first, then one that
// begins a word, then one found in the kaomoji, the description or the category name, and
// one found inside a word last; within each, in the drop-down's order of categories and each
// category's order of rows. An empty query finds nothing.
std::vector<CatalogueEntry> Search(const QString &query);

// A text folded for matching: half-width forms widened or narrowed as NFKC does, katakana as
// hiragana, letters in one case, the wave dashes 〜 and ～ as ~.
QString FoldForSearch(const QString &text);

// A folded text with long vowels, small っ and the wave dashes left out, so that ばんざい
// finds ばんざーい and やっほう finds やっほー.
QString LooseForm(const QString &folded);

} // namespace pukalo
