#pragma once

#include <QString>
#include <functional>

namespace pukalo {

// Tells the user, once per failed command, that the settings could not be saved: a line on
// standard error and a message box over the active window. The program goes on with what the
// user chose, for this run.
void ReportSettingsNotSaved();

// Says, once a run, in a message box over the window the user chose it in and on standard
// error, that the kaomoji just chosen could not be kept in the history, and why.
void ReportHistoryNotSaved(const QString &why);
void SetSettingsNotSavedReporterForTesting(std::function<void()> reporter);

} // namespace pukalo
