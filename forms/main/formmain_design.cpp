// FormMain as designed: window, controls in tab order, menus. Positions are in twips within
// the client area (left, top, width, height), 15 twips to a pixel.

#include "app/controls.h"
#include "app/formdesign.h"
#include "forms/main/formmain.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace pukalo {

using namespace design;

namespace {

const char16_t kCaption[] = u"プカロ！";
const QSize kClientSize = ClientSize(6600, 4200);

constexpr QRgb kKaomojiBlue = Rgb(192, 192, 255);
constexpr QRgb kDescriptionYellow = Rgb(255, 255, 192);
constexpr QRgb kPeach = Rgb(255, 224, 192);
constexpr QRgb kTitleMagenta = Rgb(255, 0, 255);

// clang-format off
const Control kControls[] = {
    {.kind = Kind::ListBox, .name = "List1", .tooltip = u"顔文字です。",
     .rect = {120, 480, 975, 2940}, .tabIndex = 0, .background = kKaomojiBlue, .font = Font{12}},
    {.kind = Kind::Label, .name = "Label1", .text = u"プカロ！",
     .rect = {120, 0, 4095, 375}, .tabIndex = 1, .foreground = kTitleMagenta,
     .font = Font{15.75, true}, .transparent = true},
    {.kind = Kind::ListBox, .name = "List2", .tooltip = u"説明です。",
     .rect = {1200, 480, 2055, 2940}, .tabIndex = 2, .background = kDescriptionYellow,
     .font = Font{12}},
    {.kind = Kind::ListBox, .name = "List3", .tooltip = u"顔文字です。",
     .rect = {3360, 480, 975, 2940}, .tabIndex = 3, .background = kKaomojiBlue, .font = Font{12}},
    {.kind = Kind::ListBox, .name = "List4", .tooltip = u"説明です。",
     .rect = {4440, 480, 2055, 2940}, .tabIndex = 4, .background = kDescriptionYellow,
     .font = Font{12}},
    {.kind = Kind::Label, .name = "Label2", .text = u"現在の選択されている文字",
     .rect = {720, 3480, 2175, 255}, .tabIndex = 5},
    {.kind = Kind::Label, .name = "LabeClipNow",
     .rect = {600, 3720, 2295, 375}, .tabIndex = 6, .background = kPeach,
     .font = Font{14.25}, .border = true},
    {.kind = Kind::Button, .name = "Command1", .text = u"バージョン", .tooltip = u"Vresion",
     .rect = {3480, 3840, 1095, 255}, .tabIndex = 7},
    {.kind = Kind::Button, .name = "Command2", .text = u"終了", .tooltip = u"プカロの終了",
     .rect = {4800, 3840, 1575, 255}, .tabIndex = 8},
    {.kind = Kind::Button, .name = "Command4", .text = u"ヘルプ", .tooltip = u"ヘルプ",
     .rect = {3480, 3480, 1095, 255}, .tabIndex = 9},
    {.kind = Kind::ComboBox, .name = "Combo1", .text = u"選択してください",
     .tooltip = u"顔文字の種類を選んでください。", .rect = {4320, 40, 1815, 300}, .tabIndex = 10},
    {.kind = Kind::Button, .name = "Command3", .text = u"設定", .tooltip = u"設定",
     .rect = {4800, 3480, 1575, 255}, .tabIndex = 11},
};

const MenuEntry kMenus[] = {
    {Level::Menu, "mnuPukalo", u"プカロ(&K)"},
    {Level::Item, "mnuVer", u"バージョン情報(&V)"},
    {Level::Separator, "Sep"},
    {Level::Item, "mnuSettei", u"設定(&S)"},
    {Level::CheckItem, "mnuTemae", u"常に手前に表示(&M)"},
    {Level::Separator, "mnuPukalosep1"},
    {Level::Item, "mnuClipCliar", u"クリップボードをクリア(&C)"},
    {Level::Item, "mnuEnd", u"終了(&E)"},
    {Level::Menu, "mnuHelp", u"ヘルプ(&H)"},
    {Level::Item, "mnuGohelp", u"ヘルプ(&H)"},
};
// clang-format on

} // namespace

void FormMain::buildDesign()
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QString::fromUtf16(kCaption));
    setWindowIcon(QIcon(QStringLiteral(":/main/pukalo.ico")));
    // Fixed single border: no maximize box, not resizable; minimize and close stay.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientSize);
    setCentralWidget(client);
    BuildControls(client, kControls);
    BuildMenus(menuBar(), kMenus);
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());

    List1 = findChild<ListBox *>(QStringLiteral("List1"));
    List2 = findChild<ListBox *>(QStringLiteral("List2"));
    List3 = findChild<ListBox *>(QStringLiteral("List3"));
    List4 = findChild<ListBox *>(QStringLiteral("List4"));
    Label1 = findChild<QLabel *>(QStringLiteral("Label1"));
    Label2 = findChild<QLabel *>(QStringLiteral("Label2"));
    LabeClipNow = findChild<QLabel *>(QStringLiteral("LabeClipNow"));
    Command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    Command2 = findChild<QPushButton *>(QStringLiteral("Command2"));
    Command3 = findChild<QPushButton *>(QStringLiteral("Command3"));
    Command4 = findChild<QPushButton *>(QStringLiteral("Command4"));
    Combo1 = findChild<ComboBox *>(QStringLiteral("Combo1"));
    mnuPukalo = findChild<QMenu *>(QStringLiteral("mnuPukalo"));
    mnuVer = findChild<QAction *>(QStringLiteral("mnuVer"));
    mnuSettei = findChild<QAction *>(QStringLiteral("mnuSettei"));
    mnuTemae = findChild<QAction *>(QStringLiteral("mnuTemae"));
    mnuClipCliar = findChild<QAction *>(QStringLiteral("mnuClipCliar"));
    mnuEnd = findChild<QAction *>(QStringLiteral("mnuEnd"));
    mnuHelp = findChild<QMenu *>(QStringLiteral("mnuHelp"));
    mnuGohelp = findChild<QAction *>(QStringLiteral("mnuGohelp"));

    // The first stop of the tab order has the focus when the window opens.
    List1->setFocus();

    // Centred on its owner; it has none, so on the screen.
    CentreOnScreen(this);
}

} // namespace pukalo
