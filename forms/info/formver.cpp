#include "forms/info/formver.h"

#include "forms/main/mainwindow.h"
#include "forms/main/topmost.h"
#include "platform/programinfo.h"
#include "ui/formdesign.h"
#include "ui/handler.h"

#include <QLabel>
#include <QPushButton>

namespace pukalo {

using namespace design;

FormVer::FormVer()
    : ModalForm(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // As designed; positions in twips.
    // clang-format off
    const Window window = {.name = "FormVer", .caption = u"バージョン",
                           .clientSize = ClientSize(6120, 2655), .background = qRgb(192, 255, 192)};
    const Control controls[] = {
        {.kind = Kind::PictureBox, .name = "Picture1", .into = Into(Picture1),
         .rect = {240, 240, 495, 495}, .tabIndex = 3},
        {.kind = Kind::GraphicalButton, .name = "Command1", .into = Into(Command1), .text = u"OK",
         .rect = {1800, 2040, 2415, 255}, .tabIndex = 0, .background = qRgb(255, 192, 255)},
        {.kind = Kind::Label, .name = "Label17", .into = Into(Label17),
         .text = u"" PUKALO_COPYRIGHT, .rect = {1560, 2400, 3015, 255},
         .tabIndex = 5, .font = Font{9, true}, .transparent = true},
        {.kind = Kind::Label, .name = "Label3", .into = Into(Label3),
         .text = u"  このソフトはフリーソフトです。個人で使う分には自由にお使いください。"
                 u"ただし、このソフトを使って起きたどんな損害についても、作者は責任を負いません。"
                 u"再配布の際はご連絡ください。",
         .rect = {480, 960, 5175, 975}, .tabIndex = 4, .font = Font{12}, .transparent = true,
         .wrap = true},
        {.kind = Kind::Label, .name = "Label2", .into = Into(Label2), .text = u"Ver" PUKALO_VERSION,
         .rect = {5280, 720, 735, 255}, .tabIndex = 2, .foreground = qRgb(255, 128, 0),
         .font = Font{9.75, true, true}, .transparent = true},
        {.kind = Kind::Label, .name = "Label1", .into = Into(Label1), .text = u"プカロ！",
         .rect = {840, 240, 5415, 615}, .tabIndex = 1, .foreground = qRgb(128, 128, 255),
         .font = Font{21.75, false, true}, .transparent = true},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    ConnectHandler(Command1, &QPushButton::clicked, this, &FormVer::Command1_Click);
}

void FormVer::Form_Load()
{
    // The icon the main window has at this moment, in the title bar and in the picture box.
    if (const QWidget *main = MainWindow::Window()) {
        setWindowIcon(main->windowIcon());
        Picture1->setPixmap(main->windowIcon().pixmap(32, 32));
    }
}

void FormVer::Command1_Click()
{
    ReturnMainWindowToTopBand();
    Unload();
}

void FormVer::Form_Unload(qint16 &)
{
    ReturnMainWindowToTopBand();
}

} // namespace pukalo
