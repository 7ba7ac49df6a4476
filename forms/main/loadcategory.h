#pragma once

#include "catalogue/catalogue.h"

#include <QStringList>

namespace pukalo {

class ListBox;

// What a column looks like in its pair of lists: the rows in order with an empty spacer entry
// between each two (and one after a lone row), kaomoji on one side, descriptions on the other,
// spacers at the same indices in both.
struct ListImage
{
    QStringList kaomoji;
    QStringList descriptions;
};
ListImage MakeListImage(std::span<const KaomojiRow> rows);

struct MainLists
{
    ListBox &list1; // left kaomoji
    ListBox &list2; // left descriptions
    ListBox &list3; // right kaomoji
    ListBox &list4; // right descriptions
};

// Clears and refills the four lists with one category, each list emptied just before it is
// filled, in the order List1, List2, List3, List4.
void LoadCategory(const KaomojiCategory &category, const MainLists &lists);

} // namespace pukalo
