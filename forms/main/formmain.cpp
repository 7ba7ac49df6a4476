#include "forms/main/formmain.h"

#include "forms/info/formhelp.h"
#include "forms/info/formver.h"
#include "forms/main/loadcategory.h"
#include "forms/main/mainwindow.h"
#include "forms/main/pastenotice.h"
#include "forms/main/topmost.h"
#include "forms/search/formsearch.h"
#include "forms/settings/formsettei.h"
#include "forms/settings/settingsnotsaved.h"
#include "platform/clipboard.h"
#include "platform/pasteback.h"
#include "platform/stderrline.h"
#include "settings/history.h"
#include "settings/options.h"
#include "ui/controls.h"
#include "ui/formslot.h"
#include "ui/handler.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace pukalo {

qint16 CategoryCode(const KaomojiCategory &category)
{
    switch (category.catalogueNumber) {
    case 1:
        return 2;
    case 2:
        return 1;
    default:
        return static_cast<qint16>(category.catalogueNumber);
    }
}

FormMain::FormMain()
{
    buildDesign();
    connectHandlers();
}

// All handler wiring in one place; the handler names are the window's fixed vocabulary, so
// they are connected by hand rather than by Qt's on_<object>_<signal> naming.
void FormMain::connectHandlers()
{
    ConnectHandler(Combo1, &ComboBox::Click, this, &FormMain::Combo1_Click);
    ConnectHandler(List1, &ListBox::Click, this, &FormMain::List1_Click);
    ConnectHandler(List3, &ListBox::Click, this, &FormMain::List3_Click);
    ConnectHandler(Command1, &QPushButton::clicked, this, &FormMain::Command1_Click);
    ConnectHandler(Command2, &QPushButton::clicked, this, &FormMain::Command2_Click);
    ConnectHandler(Command3, &QPushButton::clicked, this, &FormMain::Command3_Click);
    ConnectHandler(Command4, &QPushButton::clicked, this, &FormMain::Command4_Click);
    ConnectHandler(mnuVer, &QAction::triggered, this, &FormMain::mnuVer_Click);
    ConnectHandler(mnuSearch, &QAction::triggered, this, &FormMain::mnuSearch_Click);
    ConnectHandler(mnuSettei, &QAction::triggered, this, &FormMain::mnuSettei_Click);
    ConnectHandler(mnuTemae, &QAction::triggered, this, &FormMain::mnuTemae_Click);
    ConnectHandler(mnuPaste, &QAction::triggered, this, &FormMain::mnuPaste_Click);
    ConnectHandler(List1, &ListBox::Pick, this, &FormMain::List1_Pick);
    ConnectHandler(List3, &ListBox::Pick, this, &FormMain::List3_Pick);
    ConnectHandler(List1, &ListBox::DblClick, this, &FormMain::List1_DblClick);
    ConnectHandler(List3, &ListBox::DblClick, this, &FormMain::List3_DblClick);
    ConnectHandler(mnuClipCliar, &QAction::triggered, this, &FormMain::mnuClipCliar_Click);
    ConnectHandler(mnuEnd, &QAction::triggered, this, &FormMain::mnuEnd_Click);
    ConnectHandler(mnuGohelp, &QAction::triggered, this, &FormMain::mnuGohelp_Click);
}

void FormMain::Form_Load()
{
    // The stored always-on-top state first, so the window is in its band before it is seen.
    if (Options::IsOn(Options::Key::Facechack)) {
        SetTopmost(this, 1);
        mnuTemae->setChecked(true);
    } else {
        mnuTemae->setChecked(false);
    }
    mnuPaste->setChecked(Options::IsOn(Options::Key::Paste));

    for (const KaomojiCategory *category : CategoriesInDisplayOrder())
        Combo1->AddItem(QStringView(category->name).toString());
}

void FormMain::Combo1_Click()
{
    const QString chosen = Combo1->Text();
    for (const KaomojiCategory &category : CategoryTable) {
        if (chosen != QStringView(category.name))
            continue;
        const qint16 code = CategoryCode(category);
        // Choosing the category on show keeps its rows and the highlighted one.
        if (LoadedCategory == code)
            return;
        LoadCategory(category, {*List1, *List2, *List3, *List4});
        LoadedCategory = code;
        return;
    }
}

void FormMain::List1_Click()
{
    copyChosenKaomoji(List1, !List1->ClickedByKeyboard());
}

void FormMain::List3_Click()
{
    copyChosenKaomoji(List3, !List3->ClickedByKeyboard());
}

void FormMain::List1_Pick()
{
    copyChosenKaomoji(List1, true);
}

void FormMain::List3_Pick()
{
    copyChosenKaomoji(List3, true);
}

void FormMain::List1_DblClick()
{
    refocusAfterDoubleClick(List1);
}

void FormMain::List3_DblClick()
{
    refocusAfterDoubleClick(List3);
}

// The first click of a double click has pasted already and given the focus away; the second
// has taken it back: the window the user writes in gets it again, and nothing is pasted twice.
void FormMain::refocusAfterDoubleClick(const ListBox *list)
{
    if (Options::IsOn(Options::Key::Paste) && !list->Text().isEmpty())
        PasteBack::Refocus();
}

// `picked`: chosen by a click or Enter, not passed by with the arrow keys.
void FormMain::copyChosenKaomoji(ListBox *list, bool picked)
{
    // Spacer entries between the kaomoji are empty and copy nothing.
    if (list->Text().isEmpty())
        return;
    QString category;
    for (const KaomojiCategory &c : CategoryTable) {
        if (CategoryCode(c) == LoadedCategory)
            category = QStringView(c.name).toString();
    }
    CopyKaomoji(list->Text());
    remember(list->Text(), category, !picked);
    if (picked)
        pasteIntoTarget(list->Text());
}

// With 「クリックで貼り付け」 on, a pick goes on into the window the user was writing in. Where
// there is none, or it does not come back in time, the label's tooltip says why and the copy
// stays.
void FormMain::pasteIntoTarget(const QString &kaomoji)
{
    LabeClipNow->setToolTip(QString());
    if (!Options::IsOn(Options::Key::Paste))
        return;
    // The same kaomoji picked again within a double click's time is that double click's second
    // half: it took the focus back, which goes back again; nothing is pasted twice, and nothing
    // said of the window handing the focus over.
    static QElapsedTimer last;
    static QString lastKaomoji;
    if (kaomoji == lastKaomoji && last.isValid() &&
        last.elapsed() < QApplication::doubleClickInterval())
        return PasteBack::Refocus();
    if (const PasteBack::Absence absence = PasteBack::WhyNoTarget();
        absence.why != PasteBack::NoTarget::None)
        return ExplainNoTarget(LabeClipNow, absence);
    last.start();
    lastKaomoji = kaomoji;
    Clipboard::SetPrimary(kaomoji);
    PasteBack::PasteIntoTarget(kaomoji, [label = QPointer<QLabel>(LabeClipNow)](
                                            bool pasted, const QString &why) {
        if (!label)
            return;
        label->setToolTip(
            pasted || why.isEmpty()
                ? QString()
                : QStringLiteral("貼り付けられませんでした（元のウィンドウに戻れませんでした）。"
                                 "顔文字はコピーされています。"));
        static bool told = false;
        if (!pasted && !why.isEmpty() && !std::exchange(told, true))
            StderrLine("could not paste into the window written in last: %s", qUtf8Printable(why));
    });
}

void FormMain::CopyKaomoji(const QString &kaomoji)
{
    LabeClipNow->setText(kaomoji);
    Clipboard::Clear();
    // What the label shows is what goes to the clipboard.
    Clipboard::SetText(LabeClipNow->text());
}

// The history keeps what the user chose, with the category it was chosen from; of a run of
// arrow keys, only the kaomoji the user stayed on.
void FormMain::remember(const QString &kaomoji, const QString &category, bool passingBy)
{
    if (const std::optional<CatalogueEntry> entry = FindKaomoji(kaomoji, category)) {
        QString why;
        if (passingBy)
            History::AddOnceSettled(*entry);
        else if (!History::Add(*entry, &why))
            ReportHistoryNotSaved(why);
    }
}

// A result the search window reports is copied unless it already is: a click on a new row is
// reported twice, as the row reached and as the row clicked.
void FormMain::searchChose(const QString &kaomoji, const QString &category, bool passingBy)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard() || clipboard->text() != kaomoji)
        CopyKaomoji(kaomoji);
    remember(kaomoji, category, passingBy);
    if (!passingBy)
        pasteIntoTarget(kaomoji);
}

void FormMain::mnuSearch_Click()
{
    SearchWindow()->Focus();
}

FormSearch *FormMain::SearchWindow()
{
    if (!m_search) {
        // Where it cannot but cover some of this window: not the category box, and as little as
        // may be of what is clicked.
        m_search = new FormSearch(
            this, {{List1, List2, List3, List4, Command1, Command2, Command3, Command4, menuBar()},
                   Combo1});
        ConnectHandler(m_search.data(), &FormSearch::Chosen, this, &FormMain::searchChose);
    }
    return m_search;
}

void FormMain::Command2_Click()
{
    ExitProcedure();
}

void FormMain::ExitProcedure()
{
    if (Options::IsOn(Options::Key::Clipclear))
        Clipboard::Clear();
    End();
}

void FormMain::mnuEnd_Click()
{
    Command2_Click();
}

void FormMain::mnuClipCliar_Click()
{
    Clipboard::Clear();
}

void FormMain::Form_QueryUnload(qint16 &Cancel, qint16 /*UnloadMode*/)
{
    Command2_Click();
    // The window is never closed by the request itself: the exit procedure ends the program.
    Cancel = 1;
}

void FormMain::RequestClose(UnloadMode mode)
{
    if (HasEnded())
        return;
    qint16 cancel = 0;
    Guarded([&] { Form_QueryUnload(cancel, mode); })();
}

void FormMain::closeEvent(QCloseEvent *event)
{
    event->ignore();
    RequestClose(event->spontaneous() ? FormControlMenu : FormCode);
}

void FormMain::mnuVer_Click()
{
    // Out of the band while a window of ours is open over it; that window puts it back.
    SetTopmost(this, 0);
    FormVer form;
    form.Form_Load();
    form.ShowModal();
}

void FormMain::Command1_Click()
{
    mnuVer_Click();
}

void FormMain::mnuSettei_Click()
{
    SetTopmost(this, 0);
    FormSettei form;
    form.Form_Load();
    form.ShowModal();
}

void FormMain::Command3_Click()
{
    mnuSettei_Click();
}

void FormMain::mnuGohelp_Click()
{
    SetTopmost(this, 0);
    FormHelp form;
    form.ShowModal();
}

void FormMain::Command4_Click()
{
    mnuGohelp_Click();
}

void FormMain::SetAlwaysOnTopMark(bool on)
{
    mnuTemae->setChecked(on);
}

QWidget *MainWindow::Window()
{
    return FormSlot<FormMain>::Instance();
}

void MainWindow::LoadAndShow()
{
    FormSlot<FormMain>::Load();
    FormSlot<FormMain>::Show();
}

void MainWindow::SetAlwaysOnTopMark(bool on)
{
    if (FormMain *main = FormSlot<FormMain>::Instance())
        main->SetAlwaysOnTopMark(on);
}

void FormMain::mnuPaste_Click()
{
    // Stored either way: the next desktop may be one where it works.
    const bool on = mnuPaste->isChecked();
    if (!Options::Write(Options::Key::Paste, on))
        ReportSettingsNotSaved();
    if (on)
        ExplainIfPasteUnsupported();
}

void FormMain::mnuTemae_Click()
{
    // Check mark, band, stored option, in that order; the option is rewritten on every toggle.
    // The click itself has already turned the check mark over, once.
    const bool on = mnuTemae->isChecked();
    SetTopmost(this, on ? 1 : 0);
    if (!Options::Write(Options::Key::Facechack, on))
        ReportSettingsNotSaved();
    if (on)
        ExplainIfAlwaysOnTopUnsupported();
}

} // namespace pukalo
