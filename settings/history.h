#pragma once

#include "catalogue/search.h"

#include <QString>
#include <vector>

// The kaomoji chosen lately, newest first, each with the category it was chosen from: a file of
// its own in the state folder ($XDG_STATE_HOME/Pukalo/history), one "category<TAB>kaomoji" a
// line. Never the settings file: a copy never touches the options.
namespace pukalo::History {

inline constexpr int kLimit = 16;

// What can be read of it now; lines that name no kaomoji of the catalogue are left out. Nothing
// when something other than a regular file stands there.
std::vector<CatalogueEntry> Read();
// Puts the entry in front, once (a kaomoji stands in the history at most once), and writes the
// file whole; a kaomoji still settling is dropped (the user chose another). Read afresh under
// the history's lock first, so that what another instance added meanwhile stays. False, with
// the reason, and the file as it was, when it could not be written.
[[nodiscard]] bool Add(const CatalogueEntry &entry, QString *why);
// For a kaomoji the user may only be passing by (moving through a list with the arrow keys):
// added once the user has stayed on it for a moment, unless another takes its place first.
void AddOnceSettled(const CatalogueEntry &entry);
// Adds now what AddOnceSettled is still holding back: when it has settled, and on every way
// out of the program. A failure is said as SayNotSaved says it.
void AddSettling();
// Says on standard error that the history could not be written, and why, the first time a run
// fails to write it: true then, false at every later failure, which is not said.
bool SayNotSaved(const QString &why);
// Empties the history. False, with the reason in `why`, when it could not.
[[nodiscard]] bool Clear(QString *why);

QString FilePath();

} // namespace pukalo::History
