#pragma once

#include "catalogue/catalogue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

// The user's own kaomoji: a file the user may edit by hand ($XDG_DATA_HOME/Pukalo/kaomoji), one
// kaomoji a line, tab-separated: the kaomoji exactly as it is copied (blanks included), a short
// description, and the blank-separated words it is found by. Lines starting with # and blank
// lines are the user's and stay as they are; a line that cannot be read is said once and
// skipped, and nothing of the file is ever rewritten but the line added or removed.
namespace pukalo::UserKaomoji {

// Longer than any kaomoji with its words; a longer line is not one to show in a list.
inline constexpr qsizetype kLongestLine = 1024;
// Some ten thousand kaomoji; a larger file is not a list of them.
inline constexpr qint64 kMostBytes = 4 * 1024 * 1024;

struct Entry
{
    QString kaomoji, description, words;
};

struct Problem
{
    int line; // from 1
    QString why;
};

struct Parsed
{
    std::vector<Entry> entries; // in the file's order
    std::vector<Problem> problems;
};
Parsed Parse(const QByteArray &bytes);

// The file's bytes with the entries added as lines at the end, in the file's own line ends;
// every byte already there stays.
QByteArray WithAdded(const QByteArray &bytes, const std::vector<Entry> &entries);
// The file's bytes without the lines of this kaomoji, every other byte as it was; nothing when
// no line holds it.
std::optional<QByteArray> WithRemoved(const QByteArray &bytes, QStringView kaomoji);

// The category they are listed in: 「自分の顔文字」, never one of the main window's.
const KaomojiCategory &Category();

QString FilePath();

// The rows as the file holds them now: read again whenever the file changed since the last
// look, what could not be read said once on standard error. Valid until the next call that
// reads the file again; Generation() tells when that happened.
std::span<const KaomojiRow> Rows();
int Generation();
// What could not be read at the last reading, one message each, to show the user.
QStringList Problems();

// Adds one to the end of the file, under its lock, read afresh, so that what another instance
// added meanwhile stays. False, with the reason in Japanese, when the entry cannot stand in the
// file (empty, a tab or a control character, already there or in the catalogue) or the file
// could not be written; the file then stays as it was.
[[nodiscard]] bool Add(const Entry &entry, QString *why);
// Removes the lines of this kaomoji, every other line kept byte for byte.
[[nodiscard]] bool Remove(QStringView kaomoji, QString *why);

// The kaomoji of an input method's user dictionary exported by Mozc's dictionary tool (reading,
// word, part of speech, comment: the entries whose part of speech is 顔文字, the reading as a
// word), or of any plain list (every line). `others`: how many entries of another part of
// speech it left.
std::vector<Entry> ReadImport(const QByteArray &bytes, int *others = nullptr);
struct Imported
{
    int added = 0, skipped = 0, others = 0;
};
// Adds what ReadImport finds in the file at `path` that is not there yet (by the exact text,
// the catalogue's included). Never removes anything. Nothing when the file could not be read
// or written, with the reason.
std::optional<Imported> Import(const QString &path, QString *why);

} // namespace pukalo::UserKaomoji
