#pragma once

#include "catalogue/catalogue.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace pukalo {

// One row of the catalogue with the category it belongs to.
struct CatalogueEntry
{
    const KaomojiCategory *category;
    const KaomojiRow *row;
};

// Every row in catalogue order: category by category, the left column, then the right; then
// the user's own kaomoji in the order of their file.
std::vector<CatalogueEntry> AllEntries();

// The row of the catalogue with exactly this kaomoji in the category of this name, else its
// first row in any category, if any.
std::optional<CatalogueEntry> FindKaomoji(QStringView kaomoji, QStringView category = {});

// The rows that a query finds, best first. A row is found by its kaomoji, its description and
// its reading, its own words, the words of the situations it fits and of its category. Hiragana
// and katakana, full-width and half-width forms and letter case are the same; long vowel marks
// and a small っ may be left out or written as a vowel where they make a whole word; Latin
// letters are also read as romaji; a verb or adjective in another form finds its dictionary
// form (泣いてる, うれしかった, surprised); romaji still being typed after kana (ごめｎ) finds
// what the kana before it finds. Each blank-separated word counts on its own and filler
// (ください, です, face ...) not at all: rows that match more of the words come first, then
// those that match better: a row's own words before its situations' and its category's, a whole
// word before the beginning of one, a word found inside a longer query word after both, the
// kaomoji or the description containing the query last; then in the drop-down's order. A query
// that matches nothing finds nothing. The user's own kaomoji are found alike, in their category
// 「自分の顔文字」 after the sixteen. Among rows that rank alike, those `preferred` says yes to
// come first.
std::vector<CatalogueEntry>
Search(const QString &query, const std::function<bool(const CatalogueEntry &)> &preferred = {});

// A text folded for matching: half-width forms widened or narrowed as NFKC does, katakana as
// hiragana, letters in one case, the wave dashes 〜 and ～ as ~.
QString FoldForSearch(const QString &text);

// A folded text with long vowels, small っ and the wave dashes left out, so that ばんざい
// finds ばんざーい and やっほう finds やっほー.
QString LooseForm(const QString &folded);

// For an input method's user dictionary: every reading in hiragana (two kana or more) that finds
// a kaomoji as a whole word, with the few kaomoji it finds best, in that order.
struct Reading
{
    QString reading;
    std::vector<CatalogueEntry> entries;
};
std::vector<Reading> InputMethodReadings();

} // namespace pukalo
