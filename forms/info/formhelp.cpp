#include "forms/info/formhelp.h"

#include "forms/main/topmost.h"
#include "platform/programinfo.h"
#include "platform/windowmanager.h"
#include "ui/formdesign.h"
#include "ui/handler.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pukalo {

using namespace design;

namespace {

// Indents are full-width blanks (U+3000).
const char16_t kHelpText[] =
    u"　　　　　　　　　　　\r\n"
    u"　　　　　　　　　　☆プカロ！ヘルプ☆\r\n"
    u"\r\n"
    u"　　■使い方・・・\r\n"
    u"\r\n"
    u"　①　メイン画面の右上にあるボックスで、表示したい顔文字の種類を選びます(^o^)\r\n"
    u"　②　すると、その種類の顔文字と説明が一覧に表示されます(^^)v\r\n"
    u"　③　使いたい顔文字を、マウスで一回クリックします。\r\n"
    u"　④　クリックした顔文字が、そのままクリップボードに入ります。\r\n"
    u"　⑤　あとは、使いたいソフトにクリップボードから貼り付けるだけです(^_^)\r\n"
    u"\r\n"
    u"　　■クリップボードからのコピー方法\r\n"
    u"\r\n"
    u"　方法A\r\n"
    u"　　貼り付けたい場所で右クリックすると、メニューが開きます。\r\n"
    u"　　その中の「貼り付け」を選ぶと、ワープロやエディタなら\r\n"
    u"　　カーソルのある位置に貼り付けられます。\r\n"
    u"\r\n"
    u"　方法B\r\n"
    u"　　ソフトのメニューバーから「編集」→「貼り付け」を選んでも同じです。\r\n"
    u"　\r\n"
    u"　方法C\r\n"
    u"　　貼り付けたい場所にカーソルを置いて、Ctrlキーを押したまま\r\n"
    u"　　Vキーを押します。つまりCtrl＋Vです(^^)\r\n"
    u"　　\r\n"
    u"　　　いちばんよく使われるのが方法Cで、どんなソフトでも使えます。\r\n"
    u"　　ちなみに、Vの代わりにCを押すとクリップボードへのコピー、\r\n"
    u"　　Aを押すと全部を選択できます。\r\n"
    u"\r\n"
    u"このソフトは、作者が知っている顔文字を整理しようと思って作ったものです。\r\n"
    u"どなたかのお役に立てば、とてもうれしいです。\r\n"
    u"とりあえず簡単に作ったものなので、見た目の面では\r\n"
    u"物足りないところがあるかもしれませんが、ご了承ください。\r\n"
    u"新しい世紀に向けて、名前も新たに、もっと本格的なソフトとして\r\n"
    u"全面的に作り直す予定です。どうぞお楽しみに。\r\n"
    u"\r\n"
    u"↓ご意見・ご感想など、どんなことでもお気軽にお寄せください↓\r\n"
    u"\r\n"
    u"E-Mail　pukalo@example.jp\r\n"
    u"　　　　↓上のアドレスが使えないときは、こちらへどうぞ↓\r\n"
    u"　　　　pukalo.support@example.net\r\n"
    u"\r\n"
    u"それでは、顔文字のある楽しい毎日をお過ごしください！\r\n"
    u"\r\n"
    u"" PUKALO_COPYRIGHT u"  \r\n";

} // namespace

FormHelp::FormHelp()
    : ModalForm(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowCloseButtonHint)
{
    // As designed; positions in twips.
    // clang-format off
    const Window window = {.name = "FormHelp", .caption = u"プカロ！ヘルプ",
                           .clientSize = ClientSize(5895, 3915)};
    const Control controls[] = {
        {.kind = Kind::Button, .name = "Command1", .into = Into(Command1), .text = u"閉じる",
         .rect = {4560, 3480, 1215, 375}, .tabIndex = 1},
        {.kind = Kind::TextBox, .name = "Text1", .into = Into(Text1), .text = kHelpText,
         .rect = {0, 0, 5895, 3375}, .tabIndex = 0},
        {.kind = Kind::Label, .name = "Label17", .into = Into(Label17),
         .text = u"" PUKALO_COPYRIGHT, .rect = {480, 3600, 3015, 255},
         .tabIndex = 2, .font = Font{9, true}},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    // Placed where the window manager puts new windows, and kept out of the task bar.
    SkipTaskbar(this);
    ConnectHandler(Command1, &QPushButton::clicked, this, &FormHelp::Command1_Click);
}

void FormHelp::Command1_Click()
{
    ReturnMainWindowToTopBand();
    Unload();
}

void FormHelp::Form_Unload(qint16 &)
{
    ReturnMainWindowToTopBand();
}

} // namespace pukalo
