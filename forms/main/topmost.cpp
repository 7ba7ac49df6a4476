#include "forms/main/topmost.h"

#include "forms/main/mainwindow.h"
#include "platform/programinfo.h"
#include "platform/sayonce.h"
#include "platform/windowmanager.h"
#include "platform/zorder.h"
#include "settings/options.h"

#include <QMessageBox>

namespace pukalo {

namespace {
std::function<void(QWidget *, qint16)> &observer()
{
    static std::function<void(QWidget *, qint16)> instance;
    return instance;
}
} // namespace

void SetTopmost(QWidget *form, qint16 flag)
{
    if (observer())
        observer()(form, flag);
    if (!form)
        return;
    if (flag == 0)
        SetWindowPos(form, InsertAfter::NoTopmost);
    else if (flag == 1)
        SetWindowPos(form, InsertAfter::Topmost);
}

void ReturnMainWindowToTopBand()
{
    if (Options::IsOn(Options::Key::Facechack))
        SetTopmost(MainWindow::Window(), 1);
}

void ExplainIfAlwaysOnTopUnsupported()
{
    static SayOnce told;
    if (AlwaysOnTopSupported() || !told.First())
        return;
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(program::kTitle),
                    QStringLiteral("このデスクトップでは、ウィンドウを常に手前に表示することが"
                                   "できません。\n設定は保存され、対応しているデスクトップで"
                                   "有効になります。"),
                    QMessageBox::Ok, MainWindow::Window());
    box.exec();
}

void SetTopmostObserverForTesting(std::function<void(QWidget *, qint16)> callback)
{
    observer() = std::move(callback);
}

} // namespace pukalo
