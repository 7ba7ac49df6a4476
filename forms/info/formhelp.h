#pragma once

#include "ui/modalform.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pukalo {

// The help window: a fixed usage text, editable but never kept, and a close button.
class FormHelp : public ModalForm
{
    Q_OBJECT
public:
    FormHelp();

protected:
    void Form_Unload(qint16 &Cancel) override;

private:
    void Command1_Click();

    QPushButton *Command1 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
    QLabel *Label17 = nullptr;
};

} // namespace pukalo
