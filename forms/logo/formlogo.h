#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QTimer;

namespace pukalo {

// The borderless logo window shown at start-up. Its timer hands over to the main window on
// the second tick and closes the logo on the third; it takes no input at all.
class FormLogo : public QWidget
{
    Q_OBJECT
public:
    FormLogo();
    void Form_Load();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Timer1_Timer();
    void ShowMainForm();

    QTimer *Timer1 = nullptr;
    QLabel *Label1 = nullptr;
    qint16 TimerCount = 0;
    QPixmap m_logo;
};

} // namespace pukalo
