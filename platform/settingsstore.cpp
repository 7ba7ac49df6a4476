#include "platform/settingsstore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace pukalo {

namespace {
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
// A write killed half-way (SIGKILL, power loss) leaves its temporary file beside the settings
// file; the settings themselves are whole, but the leftovers would pile up. Anything of that
// shape older than a minute belongs to no write still running, in this or another instance.
void removeStaleTemporaryFiles(const QString &filePath)
{
    const QFileInfo settings(filePath);
    const QRegularExpression temporary(QStringLiteral("^%1\\.[A-Za-z0-9]{6}$")
                                           .arg(QRegularExpression::escape(settings.fileName())));
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList entries = settings.dir().entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (temporary.match(entry.fileName()).hasMatch() && entry.lastModified().toUTC() < stale)
            QFile::remove(entry.filePath());
    }
}
} // namespace

QString SettingsFilePath(const QString &app)
{
    return configDirectory() + u'/' + app + u'/' + app + QStringLiteral(".ini");
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
    QSettings store(SettingsFilePath(app), QSettings::IniFormat);
    const QVariant value = store.value(section + u'/' + key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with a comma reads back as a list; it is no option value we wrote,
    // so hand it on as text that converts to nothing rather than guessing.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

std::vector<std::pair<QString, QString>> GetSection(const QString &app, const QString &section)
{
    QSettings store(SettingsFilePath(app), QSettings::IniFormat);
    store.beginGroup(section);
    std::vector<std::pair<QString, QString>> entries;
    for (const QString &key : store.childKeys()) {
        const QVariant value = store.value(key);
        entries.emplace_back(key,
                             value.typeId() == QMetaType::QString ? value.toString() : QString());
    }
    return entries;
}

bool RewritesUnchanged(const QString &app)
{
    const QString path = SettingsFilePath(app);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isSymLink() || !info.isFile())
        return false;
    // A copy written back by the very same code shows what a rewrite would make of the file.
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("copy.ini"));
    if (!scratch.isValid() || !QFile::copy(path, copy))
        return false;
    {
        QSettings store(copy, QSettings::IniFormat);
        store.setValue(QStringLiteral("PukaloRewriteCheck/x"), 1);
        store.sync(); // written out with the mark, then again without it
        store.remove(QStringLiteral("PukaloRewriteCheck"));
        store.sync();
        if (store.status() != QSettings::NoError)
            return false;
    }
    QFile original(path), rewritten(copy);
    return original.open(QIODevice::ReadOnly) && rewritten.open(QIODevice::ReadOnly) &&
           original.readAll() == rewritten.readAll();
}

bool ReplaceSection(const QString &app, const QString &section,
                    const std::vector<std::pair<QString, QString>> &entries)
{
    const QString path = SettingsFilePath(app);
    removeStaleTemporaryFiles(path);
    QSettings store(path, QSettings::IniFormat);
    store.remove(section);
    for (const auto &[key, value] : entries)
        store.setValue(section + u'/' + key, value);
    store.sync();
    return store.status() == QSettings::NoError && store.isWritable();
}

bool SaveSetting(const QString &app, const QString &section, const QString &key,
                 const QString &value)
{
    if (saveObserver())
        saveObserver()(key, value);
    const QString path = SettingsFilePath(app);
    removeStaleTemporaryFiles(path);
    QSettings store(path, QSettings::IniFormat);
    store.setValue(section + u'/' + key, value);
    // QSettings writes through a temporary file and renames it into place, so a failed or
    // interrupted write leaves the old file whole.
    store.sync();
    return store.status() == QSettings::NoError && store.isWritable();
}

} // namespace pukalo
