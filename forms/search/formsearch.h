#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace pukalo {

class SearchField;

// 「顔文字を探す」: finds a kaomoji by typing its reading, its description, its category or the
// kaomoji itself, and reports the one chosen for its owner to copy. Kept above its owner;
// not modal. With the field empty it lists the kaomoji used lately.
class FormSearch : public QWidget
{
    Q_OBJECT
public:
    explicit FormSearch(QWidget *owner);
    // Brings the window forward with the field focused and its text selected.
    void Focus();

signals:
    // The user chose this kaomoji: to be copied as a click in the main window's lists does.
    void Chosen(const QString &kaomoji, const QString &category);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Field_Typed();
    void Field_Enter();
    void Results_Choose();
    void ClearHistory_Click();

    SearchField *Field = nullptr;
    QLabel *Heading = nullptr;
    QTreeWidget *Results = nullptr;
    QPushButton *ClearHistory = nullptr;
};

} // namespace pukalo
