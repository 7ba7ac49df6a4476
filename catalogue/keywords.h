#pragma once

#include <span>
#include <string_view>

namespace pukalo {

// Blank-separated words that find a kaomoji, beside what the catalogue itself says of it.
struct RowKeywords
{
    std::u16string_view kaomoji; // as in its category's rows
    std::u16string_view words;
};

struct CategoryKeywords
{
    std::u16string_view category; // the category's name
    std::u16string_view words;    // count for every row of the category
    std::span<const RowKeywords> rows;
};

// One entry per category, in catalogue order.
std::span<const CategoryKeywords> KeywordTable();

} // namespace pukalo
