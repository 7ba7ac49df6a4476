#include "forms/logo/formlogo.h"

#include "forms/main/mainwindow.h"
#include "platform/programinfo.h"
#include "platform/windowmanager.h"
#include "ui/formdesign.h"
#include "ui/formslot.h"
#include "ui/handler.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace pukalo {

using namespace design;

FormLogo::FormLogo()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_logo(QStringLiteral(":/logo/logo.jpg"))
{
    // As designed; positions in twips. The logo picture is the background, painted below.
    // clang-format off
    const Window window = {.name = "FormLogo", .caption = u"", .clientSize = ClientSize(6255, 1995)};
    const Control controls[] = {
        {.kind = Kind::Label, .name = "Label1", .into = Into(Label1),
         .text = u"かんたん顔文字コピー  Ver" PUKALO_VERSION, .rect = {2520, 1680, 3735, 255},
         .font = Font{11.25, true}, .transparent = true},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    MarkAsSplash(this);
    CentreOnScreen(this);
    // Counting starts when the window is loaded, not when it is shown.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ConnectHandler(Timer1, &QTimer::timeout, this, &FormLogo::Timer1_Timer);
    Timer1->start();
}

void FormLogo::Form_Load()
{
    TimerCount = 0;
}

void FormLogo::Timer1_Timer()
{
    ++TimerCount;
    if (TimerCount == 2)
        ShowMainForm();
    if (TimerCount == 3) {
        Timer1->stop();
        FormSlot<FormLogo>::Unload();
    }
}

void FormLogo::ShowMainForm()
{
    MainWindow::LoadAndShow();
}

void FormLogo::paintEvent(QPaintEvent *)
{
    // The picture is painted at its own size from the corner; what does not fit is cut off.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_logo);
}

} // namespace pukalo
