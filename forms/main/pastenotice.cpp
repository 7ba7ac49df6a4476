#include "forms/main/pastenotice.h"

#include "forms/main/mainwindow.h"
#include "platform/pasteback.h"
#include "platform/programinfo.h"

#include <QMessageBox>
#include <utility>

namespace pukalo {

void ExplainIfPasteUnsupported()
{
    static bool explained = false;
    if (explained || PasteBack::Supported() == PasteBack::Support::Supported)
        return;
    explained = true;
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(program::kTitle),
                    QStringLiteral("このデスクトップでは、クリックした顔文字を元のウィンドウに"
                                   "貼り付けることができません。\n顔文字はこれまでどおりコピー"
                                   "されます。設定は保存され、対応しているデスクトップで有効に"
                                   "なります。"),
                    QMessageBox::Ok, MainWindow::Window());
    box.exec();
}

} // namespace pukalo
