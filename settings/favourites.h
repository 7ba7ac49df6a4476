#pragma once

#include "catalogue/search.h"

#include <QString>
#include <vector>

// The kaomoji the user marked as favourites, in the order marked, the latest last: a file in the
// user's data folder ($XDG_DATA_HOME/Pukalo/favourites), one "category<TAB>kaomoji" a line,
// written as the history is. A line naming a kaomoji not there now (one of the user's own, its
// file being edited) is kept, and counts again once the kaomoji is back.
namespace pukalo::Favourites {

std::vector<CatalogueEntry> Read();
bool Contains(const std::vector<CatalogueEntry> &favourites, const CatalogueEntry &entry);
// Marks the kaomoji (at the end) or unmarks it. False, with the reason, and the file as it was,
// when it could not be written.
[[nodiscard]] bool Mark(const CatalogueEntry &entry, bool favourite, QString *why);

QString FilePath();

} // namespace pukalo::Favourites
