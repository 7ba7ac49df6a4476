// Writes the catalogue as UTF-8 lines: category name, column (L or R), row number and the
// kaomoji, separated by tabs, in display order. A kaomoji never holds a tab or a newline.
// With `readings`: every reading the input-method dictionary may export and its kaomoji, before
// the measured choice of bench/quality/mozc_readings.py.
#include "catalogue/catalogue.h"
#include "catalogue/search.h"

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "readings") == 0) {
        for (const pukalo::Reading &r : pukalo::InputMethodReadings()) {
            for (const pukalo::CatalogueEntry &e : r.entries)
                std::printf("%s\t%s\n", qPrintable(r.reading),
                            qPrintable(QStringView(e.row->kaomoji).toString()));
        }
        return 0;
    }
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
