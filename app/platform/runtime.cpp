#include "app/platform/runtime.h"

#include "app/platform/clipboard.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

namespace pukalo {

namespace {
bool s_ended = false;
EndHooks s_hooks;

void finish(int status)
{
    // A clear that the exit procedure asked for happens before anything else ends.
    Clipboard::Flush();
    s_ended = true;
    if (s_hooks.end) {
        s_hooks.end(status);
        return;
    }
    // Leaves every event loop, nested modal ones included. Events still queued may be
    // delivered on the way out, but every handler is connected through Guarded, and the close
    // and unload paths check HasEnded, so none of them runs after this.
    QCoreApplication::exit(status);
}
} // namespace

void End()
{
    if (s_ended)
        return;
    finish(0);
}

bool HasEnded()
{
    return s_ended;
}

void ReportRuntimeError(const QString &message)
{
    if (s_ended)
        return;
    std::fprintf(stderr, "pukalo: run-time error: %s\n", qUtf8Printable(message));
    if (s_hooks.report) {
        s_hooks.report(message);
    } else {
        QMessageBox box(
            QMessageBox::Critical, QStringLiteral("プカロ！"),
            QStringLiteral("実行時エラーが発生しました。\n%1\n\nプカロを終了します。").arg(message),
            QMessageBox::Ok);
        box.exec();
    }
    finish(1);
}

void SetEndHooksForTesting(EndHooks hooks)
{
    s_hooks = std::move(hooks);
}

void ResetEndForTesting()
{
    s_ended = false;
}

} // namespace pukalo
