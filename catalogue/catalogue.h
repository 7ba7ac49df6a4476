#pragma once

#include "catalogue/situations.h"

#include <QString>
#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace pukalo {

// One kaomoji and the short Japanese description shown beside it. Both texts are kept exactly
// as they are copied: full-width and half-width forms distinct, outer blanks included. Beside
// them, what finds it: the reading of its description, its own words, and the situations it
// fits (best first) or may also do for.
struct KaomojiRow
{
    std::u16string_view kaomoji;
    std::u16string_view description;
    std::u16string_view reading; // the description in hiragana
    std::u16string_view words;   // blank-separated: what it shows or says, in kana, kanji, English
    Situations fits = 0;
    Situations alsoFits = 0;
};

struct KaomojiCategory
{
    std::u16string_view name;          // as shown in the drop-down box
    int displayPosition;               // 1..16, place in the drop-down box
    int catalogueNumber;               // 1..16, place in CategoryTable
    std::span<const KaomojiRow> left;  // shown in List1 / List2
    std::span<const KaomojiRow> right; // shown in List3 / List4
    std::u16string_view words;         // the reading of its name and what all its rows are
};

// The sixteen categories in catalogue order. Static and read-only for the whole run.
extern const std::array<KaomojiCategory, 16> CategoryTable;

// The same sixteen, in the order the drop-down box lists them.
std::vector<const KaomojiCategory *> CategoriesInDisplayOrder();

} // namespace pukalo
