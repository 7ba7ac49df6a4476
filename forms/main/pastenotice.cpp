#include "forms/main/pastenotice.h"

#include "forms/main/mainwindow.h"
#include "platform/pasteback.h"
#include "platform/programinfo.h"
#include "platform/sayonce.h"
#include "platform/stderrline.h"

#include <QLabel>
#include <QMessageBox>

namespace pukalo {

void ExplainIfPasteUnsupported()
{
    static SayOnce told;
    if (PasteBack::Supported() == PasteBack::Support::Supported || !told.First())
        return;
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(program::kTitle),
                    QStringLiteral("このデスクトップでは、クリックした顔文字を元のウィンドウに"
                                   "貼り付けることができません。\n顔文字はこれまでどおりコピー"
                                   "されます。設定は保存され、対応しているデスクトップで有効に"
                                   "なります。"),
                    QMessageBox::Ok, MainWindow::Window());
    box.exec();
}

namespace {
QString noTargetText(PasteBack::NoTarget why)
{
    const QString reason = [why] {
        switch (why) {
        case PasteBack::NoTarget::Closed:
            return QStringLiteral("入力していたウィンドウは閉じられたか、最小化されました");
        case PasteBack::NoTarget::NotX11:
            return QStringLiteral("入力していたウィンドウは X11 のウィンドウではありません。"
                                  "Wayland のウィンドウには、sway か KDE Plasma で入力メソッド "
                                  "fcitx5 がプカロ！のアドオン付きで動いているときだけ貼り付け"
                                  "られます");
        case PasteBack::NoTarget::Desktop:
            return QStringLiteral("最後に選ばれたのはデスクトップです");
        case PasteBack::NoTarget::None:
        case PasteBack::NoTarget::NotYetSeen:
            break;
        }
        return QStringLiteral("プカロの起動後、まだほかのウィンドウで入力していません");
    }();
    return QStringLiteral("貼り付け先のウィンドウがありません（%1）。顔文字はコピーされています。")
        .arg(reason);
}
} // namespace

void ExplainNoTarget(QLabel *label, PasteBack::Absence absence)
{
    if (PasteBack::Supported() != PasteBack::Support::Supported)
        return;
    const QString text = noTargetText(absence.why);
    label->setToolTip(text);
    static SayOnce told;
    if (told.FirstFor(absence.serial))
        StderrLine("%s", qUtf8Printable(text));
}

void ExplainPasteOutcome(QLabel *label, PasteBack::Outcome outcome, const QString &why)
{
    QString text;
    switch (outcome) {
    case PasteBack::Outcome::Pasted:
    case PasteBack::Outcome::NoTarget:
        break;
    case PasteBack::Outcome::NotBack:
        text = QStringLiteral("元のウィンドウに戻れませんでした");
        break;
    case PasteBack::Outcome::InputMethod:
        text = QStringLiteral(
            "入力メソッド fcitx5 とプカロ！のアドオンが顔文字を受け取りませんでした");
        break;
    }
    label->setToolTip(text.isEmpty() ? text
                                     : QStringLiteral("貼り付けられませんでした（%1）。"
                                                      "顔文字はコピーされています。")
                                           .arg(text));
    static SayOnce told;
    if (!text.isEmpty() && !why.isEmpty() && told.First())
        StderrLine("could not paste into the window written in last: %s", qUtf8Printable(why));
}

} // namespace pukalo
