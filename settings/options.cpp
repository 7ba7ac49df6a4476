#include "settings/options.h"

#include "app/platform/number.h"
#include "app/platform/settingsstore.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace pukalo::Options {

namespace {
const QString &application()
{
    static const QString name = QStringLiteral("Pukalo");
    return name;
}

const QString &section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}
} // namespace

QString Name(Key key)
{
    switch (key) {
    case Key::Showlogo:
        return QStringLiteral("Showlogo");
    case Key::Clipclear:
        return QStringLiteral("Clipclear");
    case Key::Facechack:
        return QStringLiteral("Facechack");
    }
    return {};
}

QString Get(Key key, const QString &defaultValue)
{
    return GetSetting(application(), section(), Name(key), defaultValue);
}

bool IsOn(Key key, const QString &defaultValue)
{
    const QString text = Get(key, defaultValue);
    const std::optional<qint16> value = ToInt16(text);
    if (!value) {
        std::fprintf(stderr,
                     "pukalo: setting %s has the value \"%s\", which is not a 16-bit number; "
                     "treating it as off\n",
                     qUtf8Printable(Name(key)), qUtf8Printable(text));
        return false;
    }
    return *value == 1;
}

bool Write(Key key, bool on)
{
    return SaveSetting(application(), section(), Name(key), QString::fromUtf16(on ? On : Off));
}

namespace {
std::function<void()> &writeFailureReporter()
{
    static std::function<void()> reporter;
    return reporter;
}
} // namespace

void ReportWriteFailure()
{
    const QString file = SettingsFilePath(application());
    std::fprintf(stderr, "pukalo: could not save the settings to %s\n", qUtf8Printable(file));
    if (writeFailureReporter()) {
        writeFailureReporter()();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("プカロ！"),
                    QStringLiteral("設定を保存できませんでした。\n"
                                   "保存先のフォルダーに書き込めるか、ディスクに空きがあるかを"
                                   "確かめてください。\n\n"
                                   "保存先: %1\n\n"
                                   "今回選んだ設定は、プカロを終了するまで有効です。")
                        .arg(file),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void SetWriteFailureReporterForTesting(std::function<void()> reporter)
{
    writeFailureReporter() = std::move(reporter);
}

} // namespace pukalo::Options
