#include "forms/settings/settingsnotsaved.h"

#include "platform/programinfo.h"
#include "platform/stderrline.h"
#include "settings/history.h"
#include "settings/options.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace pukalo {

namespace {
std::function<void()> &reporter()
{
    static std::function<void()> instance;
    return instance;
}

// A warning over the window in use, or to the test's reporter in its place.
void warn(const QString &text)
{
    if (reporter()) {
        reporter()();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(program::kTitle), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
} // namespace

void ReportSettingsNotSaved()
{
    const QString file = Options::FilePath();
    StderrLine("could not save the settings to %s", qUtf8Printable(file));
    warn(QStringLiteral("設定を保存できませんでした。\n"
                        "保存先のフォルダーに書き込めるか、ディスクに空きがあるかを"
                        "確かめてください。\n\n"
                        "保存先: %1\n\n"
                        "今回選んだ設定は、プカロを終了するまで有効です。")
             .arg(file));
}

void ReportHistoryNotSaved(const QString &why)
{
    if (!History::SayNotSaved(why))
        return;
    warn(QStringLiteral("最近使った顔文字を保存できませんでした。\n"
                        "コピーはできています。以後、このことはお知らせしません。\n\n"
                        "保存先: %1\n%2")
             .arg(History::FilePath(), why));
}

void SetSettingsNotSavedReporterForTesting(std::function<void()> instance)
{
    reporter() = std::move(instance);
}

} // namespace pukalo
