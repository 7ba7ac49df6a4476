#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace pukalo {

class FormMain;
class SearchField;

// 「顔文字を探す」: finds a kaomoji by typing its reading, its description, its category or the
// kaomoji itself, and copies it as a click in the main window's lists does. Owned by the main
// window and kept above it; not modal. With the field empty it lists the kaomoji used lately.
class FormSearch : public QWidget
{
    Q_OBJECT
public:
    explicit FormSearch(FormMain *owner);
    // Brings the window forward with the field focused and its text selected.
    void Focus();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Field_Typed();
    void Field_Enter();
    void Results_Choose();
    void ClearHistory_Click();

    FormMain *m_owner;
    SearchField *Field = nullptr;
    QLabel *Heading = nullptr;
    QTreeWidget *Results = nullptr;
    QPushButton *ClearHistory = nullptr;
};

} // namespace pukalo
