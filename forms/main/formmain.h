#pragma once

#include "catalogue/catalogue.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace pukalo {

class ComboBox;
class FormSearch;
class ListBox;

// Tells categories apart in LoadedCategory: the catalogue number, except that the first two
// categories trade codes.
qint16 CategoryCode(const KaomojiCategory &category);

// The main window: category box, two kaomoji lists each beside its description list, the
// label with the kaomoji copied last, four buttons and two menus. Lives for the whole run.
class FormMain : public QMainWindow
{
    Q_OBJECT
public:
    FormMain();

    void Form_Load();

    // Why a close request came, as the exit procedure is told of it.
    enum UnloadMode : qint16
    {
        FormControlMenu = 0, // close box, Alt+F4, the window manager
        FormCode = 1,
        AppWindows = 2,     // the desktop session ends
        AppTaskManager = 3, // a termination signal
    };
    // Runs the close request path exactly as the close box does.
    void RequestClose(UnloadMode mode);
    // The exit procedure behind Command2_Click: empties the clipboard when Clipclear is on,
    // then ends the program.
    static void ExitProcedure();
    // The check mark of 常に手前に表示, for the settings dialog's OK.
    void SetAlwaysOnTopMark(bool on);
    // Copies a kaomoji as a click in List1 does: shown in LabeClipNow and put on the clipboard.
    void CopyKaomoji(const QString &kaomoji);
    // The one search window of the run, made at its first use.
    FormSearch *SearchWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Category choice and copy on click
    void Combo1_Click();
    void List1_Click();
    void List3_Click();
    // Enter and a double click in a kaomoji list: picks, as a click is
    void List1_Pick();
    void List3_Pick();
    void List1_DblClick();
    void List3_DblClick();

    // Exit and clipboard commands
    void Command2_Click();
    void mnuEnd_Click();
    void mnuClipCliar_Click();
    void Form_QueryUnload(qint16 &Cancel, qint16 UnloadMode);

    // Commands that open the other windows, and the always-on-top item
    void mnuVer_Click();
    void Command1_Click();
    void mnuSettei_Click();
    void Command3_Click();
    void mnuGohelp_Click();
    void Command4_Click();
    void mnuTemae_Click();
    void mnuPaste_Click();
    void mnuSearch_Click();

    void buildDesign(); // formmain_design.cpp
    void connectHandlers();
    void copyChosenKaomoji(ListBox *list, bool picked);
    void pasteIntoTarget(const QString &kaomoji);
    void refocusAfterDoubleClick(const ListBox *list);
    void remember(const QString &kaomoji, const QString &category, bool passingBy);
    void searchChose(const QString &kaomoji, const QString &category, bool passingBy);

    qint16 LoadedCategory = 0;
    QPointer<FormSearch> m_search;

    ListBox *List1 = nullptr;
    ListBox *List2 = nullptr;
    ListBox *List3 = nullptr;
    ListBox *List4 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabeClipNow = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    ComboBox *Combo1 = nullptr;

    QMenu *mnuPukalo = nullptr;
    QAction *mnuVer = nullptr;
    QAction *mnuSearch = nullptr;
    QAction *mnuSettei = nullptr;
    QAction *mnuTemae = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuClipCliar = nullptr;
    QAction *mnuEnd = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuGohelp = nullptr;
};

} // namespace pukalo
