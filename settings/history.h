#pragma once

#include "catalogue/search.h"

#include <QString>
#include <vector>

// The kaomoji chosen lately, newest first, each with the category it was chosen from: a file of
// its own in the state folder ($XDG_STATE_HOME/Pukalo/history), one "category<TAB>kaomoji" a
// line. Never the settings file: a copy never touches the options.
namespace pukalo::History {

inline constexpr int kLimit = 16;

// What can be read of it now; lines that name no kaomoji of the catalogue are left out.
std::vector<CatalogueEntry> Read();
// Puts the entry in front, once (a kaomoji stands in the history at most once), and writes the
// file whole. Read afresh first, so that what another instance added meanwhile stays. A failed
// write is said once per run on standard error.
void Add(const CatalogueEntry &entry);
// For a kaomoji the user may only be passing by (moving through a list with the arrow keys):
// added once the user has stayed on it for a moment, unless another takes its place first.
void AddOnceSettled(const CatalogueEntry &entry);
// Adds now what AddOnceSettled is still holding back: at the end of the program.
void AddSettling();
// Empties the history. False, with the reason in `why`, when it could not.
[[nodiscard]] bool Clear(QString *why);

QString FilePath();

} // namespace pukalo::History
