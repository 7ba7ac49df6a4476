#include "forms/logo/formlogo.h"

#include "app/formdesign.h"
#include "app/formslot.h"
#include "app/runtime.h"
#include "forms/main/formmain.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace pukalo {

using namespace design;

namespace {
// FormLogo as designed. Positions in twips.
const QSize kClientSize = ClientSize(6255, 1995);
// clang-format off
const Control kControls[] = {
    {.kind = Kind::Label, .name = "Label1", .text = u"かんたん顔文字コピー  Ver1.0",
     .rect = {2520, 1680, 3735, 255}, .font = Font{11.25, true}, .transparent = true},
};
// clang-format on
constexpr int kTimerInterval = 1000; // ms
} // namespace

FormLogo::FormLogo()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_logo(QStringLiteral(":/logo/logo.jpg"))
{
    setObjectName(QStringLiteral("FormLogo"));
    setFixedSize(kClientSize);
    BuildControls(this, kControls);
    Label1 = findChild<QLabel *>(QStringLiteral("Label1"));

    CentreOnScreen(this);

    // Counting starts when the window is loaded, not when it is shown.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1_Timer(); }));
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
    FormSlot<FormMain>::Load();
    FormSlot<FormMain>::Show();
}

void FormLogo::paintEvent(QPaintEvent *)
{
    // The picture is painted at its own size from the corner; what does not fit is cut off.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_logo);
}

} // namespace pukalo
