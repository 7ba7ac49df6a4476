#pragma once

#include <functional>

namespace pukalo {

// Tells the user, once per failed command, that the settings could not be saved: a line on
// standard error and a message box over the active window. The program goes on with what the
// user chose, for this run.
void ReportSettingsNotSaved();
void SetSettingsNotSavedReporterForTesting(std::function<void()> reporter);

} // namespace pukalo
