#include "forms/settings/formsettei.h"

#include "forms/main/mainwindow.h"
#include "forms/main/topmost.h"
#include "forms/settings/settingsnotsaved.h"
#include "platform/windowmanager.h"
#include "settings/options.h"
#include "ui/formdesign.h"
#include "ui/handler.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace pukalo {

using namespace design;

FormSettei::FormSettei()
    : ModalForm(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // As designed; positions in twips.
    constexpr QRgb background = qRgb(255, 192, 192);
    // clang-format off
    const Window window = {.name = "FormSettei", .caption = u"プカロ！設定",
                           .clientSize = ClientSize(4965, 2115), .background = background};
    const Control controls[] = {
        {.kind = Kind::GraphicalButton, .name = "CommandOK", .into = Into(CommandOK), .text = u"OK",
         .rect = {3600, 1200, 1215, 375}, .tabIndex = 0, .background = qRgb(192, 255, 255)},
        {.kind = Kind::GraphicalButton, .name = "CommandCancel", .into = Into(CommandCancel),
         .text = u"Cancel", .rect = {3600, 1560, 1215, 375}, .tabIndex = 1,
         .background = qRgb(192, 192, 255)},
        {.kind = Kind::Label, .name = "Label1", .into = Into(Label1),
         .text = u"設定内容を変更したい場合はOKを押してください。",
         .rect = {360, 120, 4335, 615}, .tabIndex = 2, .foreground = qRgb(128, 255, 128),
         .font = Font{15.75, false, true}, .transparent = true, .wrap = true},
        {.kind = Kind::CheckBox, .name = "CheckLogo", .into = Into(CheckLogo), .text = u"起動時にロゴ表示",
         .rect = {480, 960, 1695, 255}, .tabIndex = 3, .background = background},
        {.kind = Kind::CheckBox, .name = "CheckClipKaknin", .into = Into(CheckClipKaknin),
         .text = u"終了時にクリップボードを空にする", .rect = {480, 1320, 2895, 255}, .tabIndex = 4,
         .background = background},
        {.kind = Kind::CheckBox, .name = "CheckLock", .into = Into(CheckLock), .text = u"常に手前に表示",
         .rect = {480, 1680, 1575, 255}, .tabIndex = 5, .background = background},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    CentreOnScreen(this);
    SkipTaskbar(this);
    ConnectHandler(CommandOK, &QPushButton::clicked, this, &FormSettei::CommandOK_Click);
    ConnectHandler(CommandCancel, &QPushButton::clicked, this, &FormSettei::CommandCancel_Click);
}

void FormSettei::Form_Load()
{
    if (const QWidget *main = MainWindow::Window())
        setWindowIcon(main->windowIcon());
    // Only ever checks: a box whose option is off keeps its unchecked design state.
    if (Options::IsOn(Options::Key::Showlogo))
        CheckLogo->setChecked(true);
    if (Options::IsOn(Options::Key::Clipclear))
        CheckClipKaknin->setChecked(true);
    if (Options::IsOn(Options::Key::Facechack))
        CheckLock->setChecked(true);
}

void FormSettei::CommandOK_Click()
{
    bool saved = Options::Write(Options::Key::Showlogo, CheckLogo->isChecked());
    saved = Options::Write(Options::Key::Clipclear, CheckClipKaknin->isChecked()) && saved;
    if (CheckLock->isChecked()) {
        saved = Options::Write(Options::Key::Facechack, true) && saved;
        SetTopmost(MainWindow::Window(), 1);
        MainWindow::SetAlwaysOnTopMark(true);
    } else {
        saved = Options::Write(Options::Key::Facechack, false) && saved;
        // The settings command already took the main window out of the band.
        SetTopmost(MainWindow::Window(), 2);
        MainWindow::SetAlwaysOnTopMark(false);
    }
    if (!saved)
        ReportSettingsNotSaved();
    if (CheckLock->isChecked())
        ExplainIfAlwaysOnTopUnsupported();
    Unload();
}

void FormSettei::CommandCancel_Click()
{
    if (Options::IsOn(Options::Key::Facechack))
        SetTopmost(MainWindow::Window(), 1);
    else
        SetTopmost(MainWindow::Window(), 2);
    Unload();
}

void FormSettei::Form_Unload(qint16 &)
{
    ReturnMainWindowToTopBand();
}

} // namespace pukalo
