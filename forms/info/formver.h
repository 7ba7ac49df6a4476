#pragma once

#include "ui/modalform.h"

class QLabel;
class QPushButton;

namespace pukalo {

// The version window: name, version, the program icon, terms of use and copyright.
class FormVer : public ModalForm
{
    Q_OBJECT
public:
    FormVer();

    void Form_Load();

protected:
    void Form_Unload(qint16 &Cancel) override;

private:
    void Command1_Click();

    QLabel *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
};

} // namespace pukalo
