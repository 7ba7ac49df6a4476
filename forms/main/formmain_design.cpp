// FormMain as designed: window, controls, menus. Positions are in twips within the client area
// (left, top, width, height), 15 twips to a pixel.

#include "forms/main/formmain.h"
#include "ui/controls.h"
#include "ui/formdesign.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace pukalo {

using namespace design;

namespace {
constexpr QRgb kKaomojiBlue = qRgb(192, 192, 255);
constexpr QRgb kDescriptionYellow = qRgb(255, 255, 192);
constexpr QRgb kPeach = qRgb(255, 224, 192);
constexpr QRgb kTitleMagenta = qRgb(255, 0, 255);
} // namespace

void FormMain::buildDesign()
{
    // clang-format off
    const Window window = {.name = "FormMain", .caption = u"プカロ！", .clientSize = ClientSize(6600, 4200)};
    const Control controls[] = {
        {.kind = Kind::ListBox, .name = "List1", .into = Into(List1), .tooltip = u"顔文字です。",
         .rect = {120, 480, 975, 2940}, .tabIndex = 0, .background = kKaomojiBlue, .font = Font{12}},
        {.kind = Kind::Label, .name = "Label1", .into = Into(Label1), .text = u"プカロ！",
         .rect = {120, 0, 4095, 375}, .tabIndex = 1, .foreground = kTitleMagenta,
         .font = Font{15.75, true}, .transparent = true},
        {.kind = Kind::ListBox, .name = "List2", .into = Into(List2), .tooltip = u"説明です。",
         .rect = {1200, 480, 2055, 2940}, .tabIndex = 2, .background = kDescriptionYellow,
         .font = Font{12}},
        {.kind = Kind::ListBox, .name = "List3", .into = Into(List3), .tooltip = u"顔文字です。",
         .rect = {3360, 480, 975, 2940}, .tabIndex = 3, .background = kKaomojiBlue, .font = Font{12}},
        {.kind = Kind::ListBox, .name = "List4", .into = Into(List4), .tooltip = u"説明です。",
         .rect = {4440, 480, 2055, 2940}, .tabIndex = 4, .background = kDescriptionYellow,
         .font = Font{12}},
        {.kind = Kind::Label, .name = "Label2", .into = Into(Label2), .text = u"現在の選択されている文字",
         .rect = {720, 3480, 2175, 255}, .tabIndex = 5},
        {.kind = Kind::Label, .name = "LabeClipNow", .into = Into(LabeClipNow),
         .rect = {600, 3720, 2295, 375}, .tabIndex = 6, .background = kPeach,
         .font = Font{14.25}, .border = true},
        {.kind = Kind::Button, .name = "Command1", .into = Into(Command1), .text = u"バージョン",
         .tooltip = u"Vresion", .rect = {3480, 3840, 1095, 255}, .tabIndex = 7},
        {.kind = Kind::Button, .name = "Command2", .into = Into(Command2), .text = u"終了",
         .tooltip = u"プカロの終了", .rect = {4800, 3840, 1575, 255}, .tabIndex = 8},
        {.kind = Kind::Button, .name = "Command4", .into = Into(Command4), .text = u"ヘルプ",
         .tooltip = u"ヘルプ", .rect = {3480, 3480, 1095, 255}, .tabIndex = 9},
        {.kind = Kind::ComboBox, .name = "Combo1", .into = Into(Combo1), .text = u"選択してください",
         .tooltip = u"顔文字の種類を選んでください。", .rect = {4320, 40, 1815, 300}, .tabIndex = 10},
        {.kind = Kind::Button, .name = "Command3", .into = Into(Command3), .text = u"設定",
         .tooltip = u"設定", .rect = {4800, 3480, 1575, 255}, .tabIndex = 11},
    };
    const MenuEntry menus[] = {
        {Level::Menu, "mnuPukalo", u"プカロ(&K)", Into(mnuPukalo)},
        {Level::Item, "mnuVer", u"バージョン情報(&V)", Into(mnuVer)},
        {Level::Separator, "Sep"},
        {Level::Item, "mnuSearch", u"顔文字を探す(&F)...", Into(mnuSearch)},
        {Level::Item, "mnuSettei", u"設定(&S)", Into(mnuSettei)},
        {Level::CheckItem, "mnuTemae", u"常に手前に表示(&M)", Into(mnuTemae)},
        {Level::CheckItem, "mnuPaste", u"クリックで貼り付け(&P)", Into(mnuPaste)},
        {Level::Separator, "mnuPukalosep1"},
        {Level::Item, "mnuClipCliar", u"クリップボードをクリア(&C)", Into(mnuClipCliar)},
        {Level::Item, "mnuEnd", u"終了(&E)", Into(mnuEnd)},
        {Level::Menu, "mnuHelp", u"ヘルプ(&H)", Into(mnuHelp)},
        {Level::Item, "mnuGohelp", u"ヘルプ(&H)", Into(mnuGohelp)},
    };
    // clang-format on

    // Fixed single border: no maximize box, not resizable; minimize and close stay. Centred on
    // its owner; it has none, so on the screen. Both first, so that the window manager says
    // what frame it gives the window (a fixed one has no resize handle) while the controls
    // are being built; the exact height, with the menu bar, follows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(window.clientSize);
    CentreOnScreen(this);
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    BuildWindow(this, client, window, controls);
    BuildMenus(menuBar(), menus);
    mnuSearch->setShortcut(QKeySequence::Find);
    setWindowIcon(QIcon(QStringLiteral(":/main/pukalo.ico")));
    setFixedSize(window.clientSize.width(),
                 window.clientSize.height() + menuBar()->sizeHint().height());
}

} // namespace pukalo
