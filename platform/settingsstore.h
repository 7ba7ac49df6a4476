#pragma once

#include <QString>
#include <functional>

namespace pukalo {

// The per-user key/value store: a human-readable INI file in the user's XDG config directory
// ($XDG_CONFIG_HOME/Pukalo/Pukalo.ini), one [section] per section. Nothing else in the program
// touches QSettings.
QString GetSetting(const QString &app, const QString &section, const QString &key,
                   const QString &defaultValue);

// Sets one key and leaves every other key and section of the file as it is, values another
// instance wrote a moment ago included. Returns false when the value could not be made durable
// (folder or file not writable, disk full, the file locked for over a second); the file then
// still holds what it held before.
[[nodiscard]] bool SaveSetting(const QString &app, const QString &section, const QString &key,
                               const QString &value);

// The file behind an application name.
QString SettingsFilePath(const QString &app);

// A file of the program's own state, kept apart from the settings the user chose: under
// $XDG_STATE_HOME (by default ~/.local/state), in the application's folder.
QString StateFilePath(const QString &app, const QString &name);

// A file the user keeps and may edit by hand (their own kaomoji, their favourites): under
// $XDG_DATA_HOME (by default ~/.local/share), in the application's folder.
QString DataFilePath(const QString &app, const QString &name);

// Tests point the store at a folder of their own, so they never see or change the user's real
// settings or state: the settings under it, the state in its subfolder "state", the data in "data".
void SetSettingsDirectoryForTesting(const QString &directory);
// Tests see every SaveSetting call (key and value) in the order the program makes them.
void SetSaveObserverForTesting(std::function<void(const QString &key, const QString &value)>);

} // namespace pukalo
