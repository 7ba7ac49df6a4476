#include "forms/main/loadcategory.h"

#include "ui/controls.h"

namespace pukalo {

ListImage MakeListImage(std::span<const KaomojiRow> rows)
{
    ListImage image;
    for (size_t k = 0; k < rows.size(); ++k) {
        if (k > 0) {
            image.kaomoji.append(QString());
            image.descriptions.append(QString());
        }
        image.kaomoji.append(QStringView(rows[k].kaomoji).toString());
        image.descriptions.append(QStringView(rows[k].description).toString());
    }
    // A lone row still gets a spacer after it, so a click below it lands on nothing.
    if (rows.size() == 1) {
        image.kaomoji.append(QString());
        image.descriptions.append(QString());
    }
    return image;
}

namespace {
void fill(ListBox &list, const QStringList &entries)
{
    list.Clear();
    for (const QString &entry : entries)
        list.AddItem(entry);
}
} // namespace

void LoadCategory(const KaomojiCategory &category, const MainLists &lists)
{
    const ListImage left = MakeListImage(category.left);
    const ListImage right = MakeListImage(category.right);
    fill(lists.list1, left.kaomoji);
    fill(lists.list2, left.descriptions);
    fill(lists.list3, right.kaomoji);
    fill(lists.list4, right.descriptions);
}

} // namespace pukalo
