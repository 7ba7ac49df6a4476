#include "ui/modalform.h"

#include "ui/handler.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace pukalo {

ModalForm::ModalForm(Qt::WindowFlags flags) : QWidget(nullptr, flags)
{
    setWindowModality(Qt::ApplicationModal);
}

void ModalForm::ShowModal()
{
    show();
    if (m_unloaded || HasEnded())
        return;
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
}

void ModalForm::Unload()
{
    close();
}

void ModalForm::Form_Unload(qint16 &) {}

void ModalForm::closeEvent(QCloseEvent *event)
{
    if (!HasEnded()) {
        qint16 cancel = 0;
        Guarded([&] { Form_Unload(cancel); })();
        if (cancel != 0 && !HasEnded()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    m_unloaded = true;
    if (m_loop)
        m_loop->quit();
}

} // namespace pukalo
