#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pukalo {

class SearchField;

// 「顔文字を探す」: finds a kaomoji by typing what it means (in kana, kanji, romaji or English),
// its description, its category or the kaomoji itself, and reports the one chosen for its owner
// to copy. Kept above its owner and placed beside it; not modal; resizable, its size kept
// between runs; one for the whole run, hidden when closed. With the field empty it lists the
// favourites, then the kaomoji used lately. Ctrl+D and the context menu mark a favourite; the
// context menu also adds, removes and imports the user's own kaomoji.
class FormSearch : public QWidget
{
    Q_OBJECT
public:
    // What of the owner it should not cover: what the user clicks there, and the one control it
    // must leave free whatever else it covers.
    struct KeepClear
    {
        std::vector<const QWidget *> clicked;
        const QWidget *never = nullptr;
    };
    FormSearch(QWidget *owner, KeepClear keepClear);
    // Brings the window forward with the field focused and its text selected.
    void Focus();
    // The field set to these words, their results shown, and the window brought forward as
    // Focus does.
    void Find(const QString &words);

signals:
    // The user chose this kaomoji of this category: to be copied as a click in the main
    // window's lists copies. `passingBy` when reached with the arrow keys.
    void Chosen(const QString &kaomoji, const QString &category, bool passingBy);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Field_Typed();
    void Field_Enter();
    void Results_Reach();
    void Results_Choose();
    void ClearHistory_Click();
    void Results_Menu(const QPoint &at);
    void Favourite_Toggle();
    void AddKaomoji_Click();
    void RemoveKaomoji_Click();
    void Import_Click();

    void placeBesideOwner();
    void choose(const QTreeWidgetItem *item, bool passingBy);
    void warn(const QString &what, const QString &why);
    void tellProblems();

    SearchField *Field = nullptr;
    QLabel *Heading = nullptr;
    QTreeWidget *Results = nullptr;
    QPushButton *ClearHistory = nullptr;
    QString m_recentHeading;
    QString m_lastChosen; // kaomoji and category, tab-separated: its row stays highlighted
    KeepClear m_keepClear;
    QSize m_size; // what the user gave it, or as designed
    bool m_placing = false;
    QStringList m_problemsTold; // of the user's own kaomoji file
};

} // namespace pukalo
