#include "testsupport.h"

#include "app/runtime.h"
#include "app/settingsstore.h"
#include "forms/main/topmost.h"
#include "settings/options.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTimer>

namespace pukalo::test {

ScratchSettings::ScratchSettings()
{
    SetSettingsDirectoryForTesting(m_dir.path());
}

ScratchSettings::~ScratchSettings()
{
    SetSettingsDirectoryForTesting(QString());
}

QString ScratchSettings::filePath() const
{
    return SettingsFilePath(QStringLiteral("Pukalo"));
}

void ScratchSettings::write(const std::vector<std::pair<QString, QString>> &entries)
{
    QDir().mkpath(m_dir.path() + QStringLiteral("/Pukalo"));
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the scratch settings file");
    QByteArray text = "[Settings]\n";
    for (const auto &[key, value] : entries)
        text += key.toUtf8() + '=' + value.toUtf8() + '\n';
    file.write(text);
    // QSettings re-reads a file only when its size or time stamp changed; a test that writes
    // right after the program did could otherwise be answered from QSettings' cache.
    file.flush();
    static int stamp = 0;
    file.setFileTime(QDateTime::currentDateTime().addSecs(++stamp),
                     QFileDevice::FileModificationTime);
}

void ScratchSettings::blockWrites()
{
    QDir(m_dir.path() + QStringLiteral("/Pukalo")).removeRecursively();
    QFile blocker(m_dir.path() + QStringLiteral("/Pukalo"));
    if (!blocker.open(QIODevice::WriteOnly))
        qFatal("cannot block the scratch settings folder");
}

QString ScratchSettings::value(const QString &key) const
{
    QSettings settings(filePath(), QSettings::IniFormat);
    const QVariant v = settings.value(QStringLiteral("Settings/") + key);
    return v.isValid() ? v.toString() : QString();
}

EndRecorder::EndRecorder()
{
    ResetEndForTesting();
    SetEndHooksForTesting({[this](int s) {
                               ++ends;
                               status = s;
                           },
                           [this](const QString &message) { reports.append(message); }});
}

EndRecorder::~EndRecorder()
{
    SetEndHooksForTesting({});
    ResetEndForTesting();
}

ProtocolLog::ProtocolLog()
{
    SetTopmostObserverForTesting(
        [this](QWidget *, qint16 flag) { entries << QStringLiteral("topmost %1").arg(flag); });
    SetSaveObserverForTesting([this](const QString &key, const QString &value) {
        entries << QStringLiteral("save %1=%2").arg(key, value);
    });
    Options::SetWriteFailureReporterForTesting(
        [this] { entries << QStringLiteral("write failure reported"); });
}

ProtocolLog::~ProtocolLog()
{
    SetTopmostObserverForTesting({});
    SetSaveObserverForTesting({});
    Options::SetWriteFailureReporterForTesting({});
}

QList<int> ProtocolLog::flags() const
{
    QList<int> result;
    for (const QString &e : entries) {
        if (e.startsWith(QStringLiteral("topmost ")))
            result << e.sliced(8).toInt();
    }
    return result;
}

void WhenModalShown(const char *className, std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, className, action] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool found = modal && modal->isVisible() && modal->inherits(className);
        if (!found && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!found)
            qFatal("no modal %s was shown", className);
        action(modal);
    });
    timer->start();
}

} // namespace pukalo::test
