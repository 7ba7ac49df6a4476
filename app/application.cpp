#include "app/application.h"

#include "app/request.h"
#include "app/startup.h"
#include "forms/main/formmain.h"
#include "forms/search/formsearch.h"
#include "platform/clipboardserver.h"
#include "platform/handover.h"
#include "platform/instance.h"
#include "platform/pasteback.h"
#include "platform/platformchoice.h"
#include "platform/programinfo.h"
#include "platform/stderrline.h"
#include "platform/unixsignals.h"
#include "platform/windowmanager.h"
#include "settings/history.h"
#include "settings/windowsizes.h"
#include "ui/formslot.h"
#include "ui/handler.h"
#include "ui/japanesefont.h"

#include <QApplication>
#include <QClipboard>
#include <cstdlib>
#include <unistd.h>

namespace pukalo {

namespace {
void reportNoDisplay()
{
    StderrLine("画面（ディスプレイ）に接続できません。デスクトップの中で起動してください。");
    StderrLine("cannot connect to a display (DISPLAY=%s, WAYLAND_DISPLAY=%s)",
               qgetenv("DISPLAY").constData(), qgetenv("WAYLAND_DISPLAY").constData());
}

// Every way to ask the program to stop ends in the main window's exit procedure; before the
// main window exists, the same procedure runs on its own.
void requestClose(FormMain::UnloadMode mode)
{
    if (FormMain *main = FormSlot<FormMain>::Instance())
        main->RequestClose(mode);
    else
        Guarded([] { FormMain::ExitProcedure(); })();
}

// What the user did last and is not on disk yet: a kaomoji stayed on with the arrow keys, the
// search window's size. Written on every way out that runs code: after the event loop, and, when
// the X server goes away, in Qt's own exit.
void writePending()
{
    History::AddSettling();
    WindowSizes::Write();
}

// Qt ends a program whose platform cannot start with an abort; it says so in its own words.
QtMessageHandler s_qtMessages = nullptr;
void cannotStart(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        reportNoDisplay();
        StderrLine("%s", qUtf8Printable(message));
        _exit(2);
    }
    s_qtMessages(type, context, message);
}

// What a later start asks, or this one's --find: the window comes forward, with the launcher's
// token. The main window that is still behind the splash comes when the splash ends.
void answer(const Instance::Request &request)
{
    FormMain *main = FormSlot<FormMain>::Instance();
    if (request.find) {
        main = FormSlot<FormMain>::Load();
        FormSearch *search = main->SearchWindow();
        BringForward(search, request.startupId, request.activationToken,
                     [search, &request] { search->Find(*request.find); });
    } else if (main && main->isVisible()) {
        BringForward(main, request.startupId, request.activationToken, [main] {
            main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
            main->show();
            main->raise();
            main->activateWindow();
        });
    }
}

bool anyWindowVisible()
{
    for (const QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            return true;
    }
    return false;
}
} // namespace

int RunApplication(int &argc, char **argv)
{
    // Before Qt takes its own options out of the arguments and the startup id out of the
    // environment: the first window shown carries the id, as Qt sees to.
    Instance::Request request = RequestFromCommandLine(argc, argv);
    request.startupId.clear();
    request.activationToken.clear();
    if (!ChoosePlatformAndCheckDisplay()) {
        reportNoDisplay();
        return 2;
    }
    s_qtMessages = qInstallMessageHandler(cannotStart);
    QApplication app(argc, argv);
    qInstallMessageHandler(s_qtMessages);
    std::atexit(writePending);
    QApplication::setApplicationName(QString::fromUtf8(program::kName));
    // Ties the windows to the installed desktop entry: task bars and Wayland compositors show
    // its name and icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(program::kAppId));
    // The windows close and open one another; only the exit procedure ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    ApplyDesignLook();
    if (!JapaneseFontInstalled()) {
        ReportMissingJapaneseFont();
        return 2;
    }

    RouteTerminationSignals([] { requestClose(FormMain::AppTaskManager); });
    ServeClipboardExactly();
    // Before the first window is shown: the window active now is the one the user came from.
    PasteBack::FollowActiveWindow();
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [] { requestClose(FormMain::AppWindows); });

    Main();
    if (request.find)
        answer(request);
    if (HasEnded())
        return 0;
    if (!anyWindowVisible()) {
        StderrLine("no window could be opened");
        return 1;
    }
    Instance::Serve(answer);
    const int status = app.exec();
    writePending();
    // What the user copied stays pasteable after the program: on wlroots compositors through
    // wl-copy, on X11 through the keeper.
    // The line that says the copy is lost comes only when neither kept it.
    QClipboard *clipboard = QGuiApplication::clipboard();
    const WlCopyResult wlCopy = clipboard->ownsClipboard()
                                    ? HandOverToWlCopy(clipboard->text().toUtf8())
                                    : WlCopyResult::NotNeeded;
    if (OnX11()) {
        if (wlCopy != WlCopyResult::Kept)
            HandOverToKeeper();
        ExitNow(status);
    }
    if (wlCopy == WlCopyResult::Missing)
        ReportLostCopy("wl-copy (package wl-clipboard) is not installed");
    else if (wlCopy == WlCopyResult::Failed)
        ReportLostCopy("wl-copy did not take it over");
    return status;
}

} // namespace pukalo
