#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace pukalo {

class SearchField;

// 「自分の顔文字に追加」: one kaomoji of the user's own, with its description and the words it
// is found by, added to the end of the user's file. The kaomoji is prefilled from the clipboard
// when that holds one line of text. Modal; made afresh at every opening.
class FormAddKaomoji : public QDialog
{
    Q_OBJECT
public:
    explicit FormAddKaomoji(QWidget *owner);
    // The kaomoji added, once the dialog was accepted.
    QString Added() const;

private:
    void Add_Click();
    void Cancel_Click();

    QLabel *LabelKaomoji = nullptr;
    QLabel *LabelDescription = nullptr;
    QLabel *LabelWords = nullptr;
    QLabel *Note = nullptr;
    SearchField *Kaomoji = nullptr;
    SearchField *Description = nullptr;
    SearchField *Words = nullptr;
    QPushButton *Add = nullptr;
    QPushButton *Cancel = nullptr;
    QString m_added;
};

} // namespace pukalo
