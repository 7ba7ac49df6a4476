#include "catalogue/userkaomoji.h"

#include "platform/filestore.h"
#include "platform/programinfo.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <deque>
#include <sys/stat.h>

namespace pukalo::UserKaomoji {

namespace {
// Another instance adds a line in milliseconds, an import in a few; a disk busy with something
// else may take seconds to flush them, and the user asked for the change, so it is waited for.
constexpr std::chrono::milliseconds kLockLimit(5000);

const char kHeader[] =
    "# プカロ！自分の顔文字: 一行に一つ、タブ区切りで「顔文字	説明	探す言葉」。\n"
    "# 探す言葉は空白で区切ります（かな・漢字・ローマ字・英語）。"
    "# で始まる行と空の行は読みません。\n";

// One line of the file read: an entry, nothing (a comment, a blank line), or why not.
struct LineRead
{
    std::optional<Entry> entry;
    QString why;
    QStringList fields; // of an entry: as written
};

LineRead unreadable(const QString &why)
{
    LineRead read;
    read.why = why;
    return read;
}

bool hasControl(QStringView text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c != u'\t' && c.category() == QChar::Other_Control; });
}

LineRead readLine(QByteArrayView raw, bool first)
{
    if (raw.endsWith('\r'))
        raw.chop(1);
    if (first && raw.startsWith("\xef\xbb\xbf"))
        raw = raw.sliced(3);
    if (raw.size() > kLongestLine)
        return unreadable(QStringLiteral("長すぎます（%1 バイトまで）").arg(kLongestLine));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(raw);
    if (utf8.hasError())
        return unreadable(QStringLiteral("UTF-8 の文字として読めません"));
    if (text.trimmed().isEmpty() || text.startsWith(u'#'))
        return {};
    if (hasControl(text))
        return unreadable(QStringLiteral("制御文字が入っています"));
    const QStringList fields = text.split(u'\t');
    if (fields[0].trimmed().isEmpty())
        return unreadable(QStringLiteral("顔文字がありません（行頭がタブです）"));
    Entry entry{fields[0], fields.value(1).trimmed(), fields.mid(2).join(u' ').simplified()};
    return {entry, {}, fields};
}

// Calls `with(from, to, line)` for every line: its bytes from `from` up to `to`, its end
// included.
template <typename With>
void forEachLine(const QByteArray &bytes, With with)
{
    int number = 0;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', from);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        ++number;
        with(from, newline < 0 ? end : end + 1,
             readLine(QByteArrayView(bytes).sliced(from, end - from), number == 1), number);
        from = newline < 0 ? bytes.size() : newline + 1;
    }
}

bool inCatalogue(QStringView kaomoji)
{
    for (const KaomojiCategory &c : CategoryTable) {
        for (const auto &column : {c.left, c.right}) {
            for (const KaomojiRow &row : column) {
                if (QStringView(row.kaomoji) == kaomoji)
                    return true;
            }
        }
    }
    return false;
}

// Why an entry typed or imported cannot stand in the file as one line; empty when it can.
QString unfit(const Entry &e)
{
    if (e.kaomoji.trimmed().isEmpty())
        return QStringLiteral("顔文字が空です");
    for (const QString *text : {&e.kaomoji, &e.description, &e.words}) {
        if (text->contains(u'\t') || hasControl(*text))
            return QStringLiteral("タブや改行、制御文字は使えません");
    }
    if (e.kaomoji.startsWith(u'#'))
        return QStringLiteral("# で始まる顔文字は書けません（その行は読まれません）");
    if (WithAdded({}, {e}).size() - WithAdded({}, {}).size() > kLongestLine)
        return QStringLiteral("長すぎます（%1 バイトまで）").arg(kLongestLine);
    if (inCatalogue(e.kaomoji))
        return QStringLiteral("この顔文字は最初から入っています");
    return {};
}

// The rows of each reading, kept for good: whoever holds a row of an earlier reading keeps a
// valid one. The file changes only when the user changes it.
struct Loaded
{
    std::vector<Entry> entries;
    std::vector<KaomojiRow> rows;
    QStringList problems;
};

struct State
{
    std::deque<Loaded> loaded{1};
    struct stat seen = {};
    bool looked = false;
    int generation = 0;
    QSet<QString> told;
};

State &state()
{
    static State &instance = *new State;
    return instance;
}

std::u16string_view view(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size())};
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mode == b.st_mode && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Why a file could not be read, in the user's words.
QString reason(const QString &path, FileStore::Read read, const QString &why)
{
    if (read == FileStore::Read::NotRegular)
        return QStringLiteral("普通のファイルではありません");
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && info.st_size > kMostBytes)
        return QStringLiteral("大きすぎます（%1 MB まで）").arg(kMostBytes / 1024 / 1024);
    return why;
}

// Says a problem once a run, however often the file is read again.
void tell(const QString &message)
{
    if (!state().told.contains(message)) {
        state().told.insert(message);
        StderrLine("%s", qUtf8Printable(message));
    }
}

void load()
{
    Loaded loaded;
    QByteArray bytes;
    QString why;
    switch (const FileStore::Read read =
                FileStore::ReadFile(FilePath(), kMostBytes, &bytes, &why)) {
    case FileStore::Read::Missing:
        break;
    case FileStore::Read::NotRegular:
    case FileStore::Read::Failed:
        loaded.problems << QStringLiteral("自分の顔文字のファイル %1 を読めません: %2")
                               .arg(FilePath(), reason(FilePath(), read, why));
        break;
    case FileStore::Read::Done: {
        Parsed parsed = Parse(bytes);
        loaded.entries = std::move(parsed.entries);
        for (const Problem &p : parsed.problems)
            loaded.problems << QStringLiteral("%1 の %2 行目を読めません: %3")
                                   .arg(FilePath())
                                   .arg(p.line)
                                   .arg(p.why);
    }
    }
    // The rows view the entries' text: made once the entries are where they stay.
    State &s = state();
    s.loaded.push_back(std::move(loaded));
    Loaded &kept = s.loaded.back();
    const std::span<const SituationWords> situations = SituationTable();
    for (const Entry &e : kept.entries) {
        KaomojiRow row{view(e.kaomoji), view(e.description), {}, view(e.words)};
        // A situation named among the words (お礼, 挨拶): the kaomoji fits it.
        for (QStringView word : QStringView(e.words).tokenize(u' ', Qt::SkipEmptyParts)) {
            for (const SituationWords &situation : situations) {
                if (QStringView(situation.name) == word)
                    row.fits |= situation.situation;
            }
        }
        kept.rows.push_back(row);
    }
    for (const QString &message : std::as_const(kept.problems))
        tell(message);
    ++s.generation;
}

// The lines of the file now, read under its lock by the caller. False when it cannot be changed.
bool readForChange(QByteArray *bytes, QString *why)
{
    switch (const FileStore::Read read = FileStore::ReadFile(FilePath(), kMostBytes, bytes, why)) {
    case FileStore::Read::Done:
    case FileStore::Read::Missing:
        return true;
    case FileStore::Read::NotRegular:
    case FileStore::Read::Failed:
        *why = QStringLiteral("%1 を読めないので変えません（%2）")
                   .arg(FilePath(), reason(FilePath(), read, *why));
        return false;
    }
    return false;
}

bool lockAndRead(const FileStore::Lock &lock, QByteArray *bytes, QString *why)
{
    if (!lock.IsLocked(why)) {
        *why = QStringLiteral("%1 は別のプログラムが使っています（%2）").arg(FilePath(), *why);
        return false;
    }
    return readForChange(bytes, why);
}

bool write(const QByteArray &bytes, QString *why)
{
    if (FileStore::ReplaceFile(FilePath(), bytes, why))
        return true;
    *why = QStringLiteral("%1 に書けませんでした（%2）").arg(FilePath(), *why);
    return false;
}
} // namespace

Parsed Parse(const QByteArray &bytes)
{
    Parsed parsed;
    QHash<QString, int> lineOf;
    forEachLine(bytes, [&](qsizetype, qsizetype, const LineRead &read, int number) {
        if (!read.why.isEmpty()) {
            parsed.problems.push_back({number, read.why});
        } else if (read.entry) {
            if (const int first = lineOf.value(read.entry->kaomoji)) {
                parsed.problems.push_back(
                    {number, QStringLiteral("同じ顔文字が %1 行目にあります").arg(first)});
            } else {
                lineOf.insert(read.entry->kaomoji, number);
                parsed.entries.push_back(*read.entry);
            }
        }
    });
    return parsed;
}

QByteArray WithAdded(const QByteArray &bytes, const std::vector<Entry> &entries)
{
    const QByteArray eol = bytes.contains("\r\n") ? "\r\n" : "\n";
    QByteArray result = bytes.isEmpty() ? QByteArray(kHeader) : bytes;
    if (!result.endsWith('\n'))
        result += eol;
    for (const Entry &e : entries)
        result += (e.kaomoji + u'\t' + e.description + u'\t' + e.words).toUtf8() + eol;
    return result;
}

std::optional<QByteArray> WithRemoved(const QByteArray &bytes, QStringView kaomoji)
{
    QByteArray result;
    bool found = false;
    forEachLine(bytes, [&](qsizetype from, qsizetype to, const LineRead &read, int) {
        if (read.entry && read.entry->kaomoji == kaomoji)
            found = true;
        else
            result += QByteArrayView(bytes).sliced(from, to - from);
    });
    if (!found)
        return std::nullopt;
    return result;
}

const KaomojiCategory &Category()
{
    static const KaomojiCategory category{
        u"自分の顔文字", 17, 17, {}, {}, u"じぶんのかおもじ じぶん 自分 じぶんの mine own"};
    return category;
}

QString FilePath()
{
    return DataFilePath(QString::fromUtf8(program::kName), QStringLiteral("kaomoji"));
}

std::span<const KaomojiRow> Rows()
{
    State &s = state();
    struct stat now = {};
    if (::stat(QFile::encodeName(FilePath()).constData(), &now) != 0)
        now = {};
    if (!s.looked || !sameFile(now, s.seen)) {
        s.looked = true;
        s.seen = now;
        load();
    }
    return s.loaded.back().rows;
}

int Generation()
{
    Rows();
    return state().generation;
}

QStringList Problems()
{
    Rows();
    return state().loaded.back().problems;
}

bool Add(const Entry &given, QString *why)
{
    const Entry entry{given.kaomoji, given.description.trimmed(), given.words.simplified()};
    if (*why = unfit(entry); !why->isEmpty())
        return false;
    const FileStore::Lock lock(FilePath(), kLockLimit);
    QByteArray bytes;
    if (!lockAndRead(lock, &bytes, why))
        return false;
    const Parsed parsed = Parse(bytes);
    if (std::any_of(parsed.entries.begin(), parsed.entries.end(),
                    [&](const Entry &e) { return e.kaomoji == entry.kaomoji; })) {
        *why = QStringLiteral("この顔文字はもう追加されています");
        return false;
    }
    return write(WithAdded(bytes, {entry}), why);
}

bool Remove(QStringView kaomoji, QString *why)
{
    const FileStore::Lock lock(FilePath(), kLockLimit);
    QByteArray bytes;
    if (!lockAndRead(lock, &bytes, why))
        return false;
    const std::optional<QByteArray> removed = WithRemoved(bytes, kaomoji);
    if (!removed) {
        *why = QStringLiteral("この顔文字は自分の顔文字のファイルにありません");
        return false;
    }
    return write(*removed, why);
}

std::vector<Entry> ReadImport(const QByteArray &given, int *others)
{
    // Windows' tools write UTF-16 with a byte order mark.
    QByteArray bytes = given;
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff"))
        bytes = QString(QStringDecoder(QStringDecoder::Utf16)(bytes)).toUtf8();
    std::vector<Entry> entries;
    int notKaomoji = 0;
    forEachLine(bytes, [&](qsizetype, qsizetype, const LineRead &read, int) {
        if (!read.entry)
            return;
        const QStringList &f = read.fields;
        if (f.size() < 3)
            entries.push_back({f[0], f.value(1).trimmed(), {}});
        else if (f[2].trimmed() == QStringLiteral("顔文字"))
            entries.push_back({f[1], f.value(3).trimmed(), f[0].simplified()});
        else
            ++notKaomoji;
    });
    if (others)
        *others = notKaomoji;
    return entries;
}

std::optional<Imported> Import(const QString &path, QString *why)
{
    QByteArray source;
    switch (const FileStore::Read read = FileStore::ReadFile(path, kMostBytes, &source, why)) {
    case FileStore::Read::Done:
        break;
    case FileStore::Read::Missing:
        *why = QStringLiteral("%1 がありません").arg(path);
        return std::nullopt;
    case FileStore::Read::NotRegular:
    case FileStore::Read::Failed:
        *why = QStringLiteral("%1 を読めません（%2）").arg(path, reason(path, read, *why));
        return std::nullopt;
    }
    // What of the user's file cannot be read is said, as at every reading of it.
    Rows();
    Imported result;
    const std::vector<Entry> candidates = ReadImport(source, &result.others);
    const FileStore::Lock lock(FilePath(), kLockLimit);
    QByteArray bytes;
    if (!lockAndRead(lock, &bytes, why))
        return std::nullopt;
    QSet<QString> there;
    for (const Entry &e : Parse(bytes).entries)
        there.insert(e.kaomoji);
    std::vector<Entry> added;
    for (const Entry &e : candidates) {
        if (there.contains(e.kaomoji) || !unfit(e).isEmpty()) {
            ++result.skipped;
            continue;
        }
        there.insert(e.kaomoji);
        added.push_back(e);
    }
    result.added = int(added.size());
    if (!added.empty() && !write(WithAdded(bytes, added), why))
        return std::nullopt;
    return result;
}

} // namespace pukalo::UserKaomoji
