#include "forms/search/formaddkaomoji.h"

#include "catalogue/userkaomoji.h"
#include "ui/controls.h"
#include "ui/formdesign.h"
#include "ui/handler.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace pukalo {

using namespace design;

namespace {
// What the clipboard holds when it is one line of text, its line end left off; else nothing.
QString oneLineOnClipboard()
{
    QString text = QGuiApplication::clipboard()->text();
    if (text.endsWith(u'\n'))
        text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
    if (text.trimmed().isEmpty() || text.contains(u'\n') || text.contains(u'\r') ||
        text.size() > UserKaomoji::kLongestLine)
        return {};
    return text;
}
} // namespace

FormAddKaomoji::FormAddKaomoji(QWidget *owner) : QDialog(owner)
{
    // clang-format off
    const Window window = {.name = "FormAddKaomoji", .caption = u"プカロ！自分の顔文字に追加",
                           .clientSize = ClientSize(5400, 2430)};
    const Control controls[] = {
        {.kind = Kind::Label, .name = "LabelKaomoji", .into = Into(LabelKaomoji), .text = u"顔文字",
         .rect = {120, 165, 1200, 255}},
        {.kind = Kind::SearchField, .name = "Kaomoji", .into = Into(Kaomoji),
         .text = u"コピーされるとおりに（空白も）", .rect = {1440, 120, 3840, 360}, .tabIndex = 0,
         .font = Font{12}},
        {.kind = Kind::Label, .name = "LabelDescription", .into = Into(LabelDescription),
         .text = u"説明", .rect = {120, 645, 1200, 255}},
        {.kind = Kind::SearchField, .name = "Description", .into = Into(Description),
         .text = u"例: ねこのあいさつ", .rect = {1440, 600, 3840, 360}, .tabIndex = 1},
        {.kind = Kind::Label, .name = "LabelWords", .into = Into(LabelWords), .text = u"探す言葉",
         .rect = {120, 1125, 1200, 255}},
        {.kind = Kind::SearchField, .name = "Words", .into = Into(Words),
         .text = u"例: ねこ にゃー cat", .rect = {1440, 1080, 3840, 360}, .tabIndex = 2},
        {.kind = Kind::Label, .name = "Note", .into = Into(Note),
         .text = u"言葉は空白で区切ります。かな・漢字・ローマ字・英語で。",
         .rect = {1440, 1500, 3840, 255}},
        {.kind = Kind::Button, .name = "Add", .into = Into(Add), .text = u"追加",
         .rect = {2520, 1920, 1320, 375}, .tabIndex = 3},
        {.kind = Kind::Button, .name = "Cancel", .into = Into(Cancel), .text = u"キャンセル",
         .rect = {3960, 1920, 1320, 375}, .tabIndex = 4},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    Add->setDefault(true);
    Kaomoji->setText(oneLineOnClipboard());
    ConnectHandler(Add, &QPushButton::clicked, this, &FormAddKaomoji::Add_Click);
    ConnectHandler(Cancel, &QPushButton::clicked, this, &FormAddKaomoji::Cancel_Click);
    // The kaomoji is there already: what is left to type is its description.
    if (!Kaomoji->text().isEmpty())
        Description->setFocus();
}

QString FormAddKaomoji::Added() const
{
    return m_added;
}

void FormAddKaomoji::Cancel_Click()
{
    reject();
}

void FormAddKaomoji::Add_Click()
{
    QString why;
    if (!UserKaomoji::Add({Kaomoji->text(), Description->text(), Words->text()}, &why)) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        QStringLiteral("追加できませんでした。\n\n%1").arg(why), QMessageBox::Ok,
                        this);
        box.exec();
        return;
    }
    m_added = Kaomoji->text();
    accept();
}

} // namespace pukalo
