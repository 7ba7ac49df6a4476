#pragma once

#include <QString>
#include <functional>

// The program's three persistent on/off options. There is no options object: every reader
// fetches its option from the store at the moment it needs it, with its own default.
namespace pukalo::Options {

enum class Key
{
    Showlogo,  // splash logo at start-up
    Clipclear, // empty the clipboard on exit
    Facechack, // keep the main window always on top
};

QString Name(Key key);

// Stored values: the program writes only these two.
inline constexpr char16_t On[] = u"1";
inline constexpr char16_t Off[] = u"2";

// The stored text, or `defaultValue` when nothing is stored.
QString Get(Key key, const QString &defaultValue);

// Reads the option now: on exactly when the stored text (or the default) is the number 1.
// A value that is no 16-bit number counts as off and is left as stored; one line on standard
// error names it.
bool IsOn(Key key, const QString &defaultValue);

// Stores the option at once, "1" for on and "2" for off. False when it could not be stored
// (settings folder or file not writable, disk full); the file then keeps its old contents.
[[nodiscard]] bool Write(Key key, bool on);

// Tells the user, once per failed command, that the settings could not be saved. The program
// goes on with what the user chose, for this run.
void ReportWriteFailure();
void SetWriteFailureReporterForTesting(std::function<void()> reporter);

} // namespace pukalo::Options
