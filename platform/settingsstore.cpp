#include "platform/settingsstore.h"

#include "platform/filestore.h"
#include "platform/sayonce.h"
#include "platform/stderrline.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace pukalo {

namespace {
// Far more than any settings file the program or a user writes; a larger one is not changed.
constexpr qint64 kMostSettingsBytes = 1024 * 1024;

QString &testDirectory()
{
    static QString directory;
    return directory;
}

std::function<void(const QString &, const QString &)> &saveObserver()
{
    static std::function<void(const QString &, const QString &)> observer;
    return observer;
}

QString configDirectory()
{
    if (!testDirectory().isEmpty())
        return testDirectory();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// As the XDG Base Directory rules say: $XDG_STATE_HOME when it is an absolute path, otherwise
// ~/.local/state. Qt 6.4 has no standard location for it.
QString stateDirectory()
{
    if (!testDirectory().isEmpty())
        return testDirectory() + QStringLiteral("/state");
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!state.isEmpty() && QDir::isAbsolutePath(state))
        return state;
    return QDir::homePath() + QStringLiteral("/.local/state");
}

// The line `key=value` in the section `[name]` of an INI file's text changed to the new value,
// or added at the end of that section (the section added at the end of the file if there is
// none): every other byte stays, comments, blank lines, other keys and sections in their order.
// Line ends stay as the file has them.
QByteArray withValue(const QByteArray &text, const QString &section, const QString &key,
                     const QString &value)
{
    struct Line
    {
        QByteArray content, end; // end: "\r\n", "\n", or nothing for a last line without one
    };
    std::vector<Line> lines;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype newline = text.indexOf('\n', from);
        const qsizetype to = newline < 0 ? text.size() : newline;
        const bool crlf = to > from && text[to - 1] == '\r' && newline >= 0;
        lines.push_back({text.mid(from, to - from - (crlf ? 1 : 0)), newline < 0 ? QByteArray()
                                                                     : crlf ? QByteArray("\r\n")
                                                                            : QByteArray("\n")});
        from = newline < 0 ? text.size() : newline + 1;
    }
    const QByteArray eol = text.contains("\r\n") ? "\r\n" : "\n";
    const QByteArray header = '[' + section.toUtf8() + ']';
    const QByteArray setting = key.toUtf8() + '=' + value.toUtf8();
    size_t sectionEnd = 0; // one past the section's last line with content; 0: no section
    bool inSection = false, replaced = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i].content.trimmed();
        if (i == 0 && line.startsWith("\xef\xbb\xbf")) // a byte order mark, as QSettings skips it
            line = line.mid(3);
        if (line.startsWith('[')) {
            // What follows the header's bracket (a comment) is no part of its name.
            inSection = line.left(line.indexOf(']') + 1) == header;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!line.isEmpty())
            sectionEnd = i + 1;
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && line.left(equals).trimmed() == key.toUtf8()) {
            lines[i].content = setting;
            replaced = true;
        }
    }
    if (!replaced) {
        std::vector<Line> added{{setting, eol}};
        if (sectionEnd == 0) {
            added.insert(added.begin(), {header, eol});
            sectionEnd = lines.size();
        }
        // After a last line without a line end, the file still ends without one.
        if (sectionEnd == lines.size() && !lines.empty() && lines.back().end.isEmpty()) {
            lines.back().end = eol;
            added.back().end.clear();
        }
        lines.insert(lines.begin() + qsizetype(sectionEnd), added.begin(), added.end());
    }
    QByteArray result;
    for (const Line &line : lines)
        result += line.content + line.end;
    return result;
}

// Said once a run: where a file stands that the program will not open.
void reportNotRegular(const QString &path)
{
    static SayOnce told;
    if (told.First())
        StderrLine("%s is not a regular file; the settings in it are not read",
                   qUtf8Printable(path));
}
} // namespace

QString SettingsFilePath(const QString &app)
{
    return configDirectory() + u'/' + app + u'/' + app + QStringLiteral(".ini");
}

QString StateFilePath(const QString &app, const QString &name)
{
    return stateDirectory() + u'/' + app + u'/' + name;
}

QString DataFilePath(const QString &app, const QString &name)
{
    // $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!testDirectory().isEmpty())
        data = testDirectory() + QStringLiteral("/data");
    else if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + u'/' + app + u'/' + name;
}

void SetSettingsDirectoryForTesting(const QString &directory)
{
    testDirectory() = directory;
}

void SetSaveObserverForTesting(std::function<void(const QString &, const QString &)> observer)
{
    saveObserver() = std::move(observer);
}

// A fresh QSettings per call: options are never cached, and a value written by another
// instance of the program is seen at the next read.
QString GetSetting(const QString &app, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const QString path = SettingsFilePath(app);
    // QSettings would wait for ever on a FIFO in the file's place.
    if (FileStore::IsOtherThanRegularFile(path)) {
        reportNotRegular(path);
        return defaultValue;
    }
    QSettings store(path, QSettings::IniFormat);
    const QVariant value = store.value(section + u'/' + key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with a comma reads back as a list; it is no option value we wrote,
    // so hand it on as text that converts to nothing rather than guessing.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

bool SaveSetting(const QString &app, const QString &section, const QString &key,
                 const QString &value)
{
    if (saveObserver())
        saveObserver()(key, value);
    const QString path = SettingsFilePath(app);
    // One limit for the whole save, the lock QSettings takes too: another instance writing
    // holds it for milliseconds; anything longer is reported as a failed write.
    const FileStore::Lock lock(path, std::chrono::milliseconds(1000));
    QByteArray text;
    QString why;
    if (!lock.IsLocked())
        return false;
    const FileStore::Read read = FileStore::ReadFile(path, kMostSettingsBytes, &text, &why);
    if (read != FileStore::Read::Done && read != FileStore::Read::Missing)
        return false;
    return FileStore::ReplaceFile(path, withValue(text, section, key, value), &why);
}

} // namespace pukalo
