#pragma once

#include <QString>
#include <optional>

// The program's persistent on/off options. There is no options object: every reader
// fetches its option from the store at the moment it needs it.
namespace pukalo::Options {

enum class Key
{
    Showlogo,  // splash logo at start-up; on when nothing is stored
    Clipclear, // empty the clipboard on exit; off when nothing is stored
    Facechack, // keep the main window always on top; off when nothing is stored
    Paste,     // paste a pick into the window the user was writing in; off when nothing is stored
};

QString Name(Key key);

// The stored text, or the key's default ("1" or "2") when nothing is stored.
QString Get(Key key);

// The stored text (or the default) as a signed 16-bit number, as Qt reads one: decimal digits
// after an optional sign, with leading zeros and blanks around them; nothing for any other text
// or a number outside -32768..32767.
std::optional<qint16> Number(Key key);

// Reads the option now: on exactly when the stored text (or the default) is the number 1.
// A value that is no 16-bit number counts as off and is left as stored; one line on standard
// error names it.
bool IsOn(Key key);

// Stores the option at once, "1" for on and "2" for off. False when it could not be stored
// (settings folder or file not writable, disk full); the file then keeps its old contents.
[[nodiscard]] bool Write(Key key, bool on);

// The file the options live in, for a message that names it.
QString FilePath();

} // namespace pukalo::Options
