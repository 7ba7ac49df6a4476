#pragma once

#include <QWidget>

class QEventLoop;

namespace pukalo {

// A window that is shown modally and unloaded when it closes. It lives on the stack of the
// handler that opens it, so every opening builds it afresh from its design. Not a QDialog:
// a dialog's Esc, default button and accept/reject would close it by paths that skip the
// window's own unload handler, and these windows have no cancel key and no default button.
class ModalForm : public QWidget
{
    Q_OBJECT
public:
    explicit ModalForm(Qt::WindowFlags flags);

    // Shows the window; the program's other windows take no input until it has been unloaded.
    void ShowModal();
    // Closes the window as its close box does: Form_Unload runs, then the window is gone.
    void Unload();

protected:
    virtual void Form_Unload(qint16 &Cancel);
    void closeEvent(QCloseEvent *event) override;

private:
    QEventLoop *m_loop = nullptr;
    bool m_unloaded = false;
};

} // namespace pukalo
