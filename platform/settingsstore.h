#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace pukalo {

// The per-user key/value store: a human-readable INI file in the user's XDG config directory
// ($XDG_CONFIG_HOME/Pukalo/Pukalo.ini), one [section] per section. Nothing else in the program
// touches QSettings.
QString GetSetting(const QString &app, const QString &section, const QString &key,
                   const QString &defaultValue);

// Returns false when the value could not be made durable (folder or file not writable, disk
// full); the file then still holds what it held before.
[[nodiscard]] bool SaveSetting(const QString &app, const QString &section, const QString &key,
                               const QString &value);

// Every key of a section with its value, in the store's order; a value that is not plain text
// (a list, or Qt's own variant form) comes back null.
std::vector<std::pair<QString, QString>> GetSection(const QString &app, const QString &section);
// Whether the store can rewrite its file without changing a byte of what is there now: true
// when there is no file yet, false for a file it would read differently than it is written
// (damaged, hand-edited in another form, a link or a folder in its place).
bool RewritesUnchanged(const QString &app);
// Replaces the whole section with these keys and values, written whole as SaveSetting writes;
// the other sections stay as they are.
[[nodiscard]] bool ReplaceSection(const QString &app, const QString &section,
                                  const std::vector<std::pair<QString, QString>> &entries);

// The file behind an application name. Tests point the store at a folder of their own so they
// never see or change the user's real settings.
QString SettingsFilePath(const QString &app);
void SetSettingsDirectoryForTesting(const QString &directory);
// Tests see every SaveSetting call (key and value) in the order the program makes them.
void SetSaveObserverForTesting(std::function<void(const QString &key, const QString &value)>);

} // namespace pukalo
