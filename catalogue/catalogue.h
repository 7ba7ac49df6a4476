#pragma once

#include <QString>
#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace pukalo {

// One kaomoji and the short Japanese description shown beside it. Both texts are kept exactly
// as they are copied: full-width and half-width forms distinct, outer blanks included.
struct KaomojiRow
{
    std::u16string_view kaomoji;
    std::u16string_view description;
    std::u16string_view reading; // the description in hiragana, for finding it by typing
};

struct KaomojiCategory
{
    std::u16string_view name;          // as shown in the drop-down box
    int displayPosition;               // 1..16, place in the drop-down box
    int catalogueNumber;               // 1..16, place in CategoryTable
    std::span<const KaomojiRow> left;  // shown in List1 / List2
    std::span<const KaomojiRow> right; // shown in List3 / List4
};

// The sixteen categories in catalogue order. Static and read-only for the whole run.
extern const std::array<KaomojiCategory, 16> CategoryTable;

// The same sixteen, in the order the drop-down box lists them.
std::vector<const KaomojiCategory *> CategoriesInDisplayOrder();

} // namespace pukalo
