#include "platform/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

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

// QSettings waits for its lock file without a limit, and takes a lock that a killed writer
// left behind (empty, or naming a process that is gone) for a live one for 30 s. Taken here
// first, with a short limit, such a lock is cleared; a live writer holds it for milliseconds.
bool lockIsFree(const QString &filePath)
{
    if (!QDir().mkpath(QFileInfo(filePath).path()))
        return false;
    QLockFile lock(filePath + QStringLiteral(".lock"));
    lock.setStaleLockTime(std::chrono::milliseconds(500));
    return lock.tryLock(std::chrono::milliseconds(1000));
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

bool SaveSetting(const QString &app, const QString &section, const QString &key,
                 const QString &value)
{
    if (saveObserver())
        saveObserver()(key, value);
    const QString path = SettingsFilePath(app);
    if (!lockIsFree(path))
        return false;
    // QSettings reads the file afresh under its lock and writes back only the keys set here,
    // through a temporary file renamed into place: a failed or interrupted write leaves the old
    // file whole.
    QSettings store(path, QSettings::IniFormat);
    store.setValue(section + u'/' + key, value);
    store.sync();
    return store.status() == QSettings::NoError && store.isWritable();
}

} // namespace pukalo
