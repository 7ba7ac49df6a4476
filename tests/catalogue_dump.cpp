// Writes the catalogue as UTF-8 lines: category name, column (L or R), row number and the
// kaomoji, separated by tabs, in display order. A kaomoji never holds a tab or a newline.
#include "catalogue/catalogue.h"

#include <cstdio>

int main()
{
    for (const pukalo::KaomojiCategory *category : pukalo::CategoriesInDisplayOrder()) {
        const QByteArray name = pukalo::ToQString(category->name).toUtf8();
        int row = 0;
        for (const auto &r : category->left)
            std::printf("%s\tL\t%d\t%s\n", name.constData(), ++row,
                        pukalo::ToQString(r.kaomoji).toUtf8().constData());
        row = 0;
        for (const auto &r : category->right)
            std::printf("%s\tR\t%d\t%s\n", name.constData(), ++row,
                        pukalo::ToQString(r.kaomoji).toUtf8().constData());
    }
    return 0;
}
