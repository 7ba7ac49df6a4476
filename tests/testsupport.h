// What the widget tests share: controls found by name, a private settings file, and recorders
// for the end of the program and for the always-on-top protocol.
#pragma once

#include "forms/main/topmost.h"
#include "forms/settings/settingsnotsaved.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "settings/options.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace pukalo::test {

// A control of a window by its object name. Aborts the run when it is missing: every later
// check would be meaningless.
template <typename T = QObject>
T *child(const QObject *root, const QString &name)
{
    for (T *o : root->findChildren<T *>(name))
        return o;
    qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
}

// Points the settings store at a fresh folder for the lifetime of the object.
class ScratchSettings
{
public:
    ScratchSettings() { SetSettingsDirectoryForTesting(m_dir.path()); }
    ~ScratchSettings() { SetSettingsDirectoryForTesting(QString()); }
    QString filePath() const { return SettingsFilePath(QStringLiteral("Pukalo")); }

    // Writes [Settings] with these key=value lines; a null value leaves the key out.
    void write(const std::vector<std::pair<QString, QString>> &entries)
    {
        QDir().mkpath(m_dir.path() + "/Pukalo");
        QFile file(filePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the scratch settings file");
        file.write("[Settings]\n");
        for (const auto &[key, value] : entries) {
            if (!value.isNull())
                file.write((key + '=' + value + '\n').toUtf8());
        }
        // QSettings re-reads a file only when its size or time stamp changed.
        file.flush();
        static int stamp = 0;
        file.setFileTime(QDateTime::currentDateTime().addSecs(++stamp),
                         QFile::FileModificationTime);
    }
    QByteArray bytes() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A plain file where the settings folder belongs: no write can succeed.
    void blockWrites()
    {
        QDir(m_dir.path() + "/Pukalo").removeRecursively();
        QFile(m_dir.path() + "/Pukalo").open(QIODevice::WriteOnly);
    }

private:
    QTemporaryDir m_dir;
};

// Counts the ends of the program instead of ending the test.
struct EndRecorder
{
    EndRecorder()
    {
        ResetEndForTesting();
        SetEndHookForTesting([this](int) { ++ends; });
    }
    ~EndRecorder()
    {
        SetEndHookForTesting({});
        ResetEndForTesting();
    }
    int ends = 0;
};

// One log, in order, of every SetTopmost call ("topmost 1"), every stored option
// ("save Facechack=1") and every report of a failed write.
struct ProtocolLog
{
    ProtocolLog()
    {
        SetTopmostObserverForTesting([this](QWidget *, qint16 flag) {
            entries << "topmost " + QString::number(flag);
            flagList << flag;
        });
        SetSaveObserverForTesting([this](const QString &key, const QString &value) {
            entries << "save " + key + '=' + value;
        });
        SetSettingsNotSavedReporterForTesting([this] { entries << "write failure reported"; });
    }
    ~ProtocolLog()
    {
        SetTopmostObserverForTesting({});
        SetSaveObserverForTesting({});
        SetSettingsNotSavedReporterForTesting({});
    }
    QStringList entries;
    QList<int> flagList; // the SetTopmost calls alone
};

inline QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

inline QString VisibleWindows() // their object names, sorted, joined by "+"
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        names << (w->isVisible() ? w->objectName() : QString());
    names.removeAll(QString());
    names.sort();
    return names.join('+');
}

} // namespace pukalo::test
