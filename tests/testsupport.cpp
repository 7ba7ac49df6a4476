#include "testsupport.h"

#include "app/runtime.h"
#include "app/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>

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

} // namespace pukalo::test
