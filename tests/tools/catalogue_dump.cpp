// Writes the catalogue as UTF-8 lines: category name, column (L or R), row number and the
// kaomoji, separated by tabs, in display order. A kaomoji never holds a tab or a newline.
#include "catalogue/catalogue.h"

#include <cstdio>

int main()
{
    for (const pukalo::KaomojiCategory *category : pukalo::CategoriesInDisplayOrder()) {
        for (auto [side, column] :
             {std::pair{'L', category->left}, std::pair{'R', category->right}}) {
            for (size_t row = 0; row < column.size(); ++row)
                std::printf("%s\t%c\t%zu\t%s\n", qPrintable(QStringView(category->name).toString()),
                            side, row + 1, qPrintable(QStringView(column[row].kaomoji).toString()));
        }
    }
    return 0;
}
