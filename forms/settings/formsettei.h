#pragma once

#include "ui/modalform.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace pukalo {

// The settings dialog: a check box each for the splash logo, emptying the clipboard on exit and
// always on top (pasting is chosen in the main window's menu). OK stores the three and applies
// the always-on-top choice at once; Cancel stores nothing.
class FormSettei : public ModalForm
{
    Q_OBJECT
public:
    FormSettei();

    void Form_Load();

protected:
    void Form_Unload(qint16 &Cancel) override;

private:
    void CommandOK_Click();
    void CommandCancel_Click();

    QPushButton *CommandOK = nullptr;
    QPushButton *CommandCancel = nullptr;
    QLabel *Label1 = nullptr;
    QCheckBox *CheckLogo = nullptr;
    QCheckBox *CheckClipKaknin = nullptr;
    QCheckBox *CheckLock = nullptr;
};

} // namespace pukalo
