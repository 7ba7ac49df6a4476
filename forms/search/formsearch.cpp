#include "forms/search/formsearch.h"

#include "platform/controls.h"
#include "platform/formdesign.h"
#include "platform/runtime.h"
#include "catalogue/search.h"
#include "settings/history.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

namespace pukalo {

using namespace design;

FormSearch::FormSearch(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint)
{
    // A dialog of the main window to the window manager: kept above it, in its band too.
    setAttribute(Qt::WA_DeleteOnClose);
    // As designed; positions in twips.
    // clang-format off
    const Window window = {.name = "FormSearch", .caption = u"顔文字を探す", .clientSize = ClientSize(5400, 4560)};
    const Control controls[] = {
        {.kind = Kind::SearchField, .name = "Field", .into = Into(Field),
         .tooltip = u"読み・説明・種類・顔文字で探します。", .rect = {120, 120, 5160, 360}, .tabIndex = 0,
         .font = Font{12}},
        {.kind = Kind::Label, .name = "Heading", .into = Into(Heading), .text = u"最近使った顔文字",
         .rect = {120, 600, 5160, 255}, .tabIndex = 1},
        {.kind = Kind::ResultTable, .name = "Results", .into = Into(Results),
         .rect = {120, 900, 5160, 3060}, .tabIndex = 2, .font = Font{12}},
        {.kind = Kind::Button, .name = "ClearHistory", .into = Into(ClearHistory), .text = u"履歴を消す",
         .rect = {3840, 4080, 1440, 375}, .tabIndex = 3},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    Results->setColumnWidth(0, 110);
    Results->setColumnWidth(1, 130);

    ConnectHandler(Field, &SearchField::Typed, this, &FormSearch::Field_Typed);
    ConnectHandler(Field, &QLineEdit::returnPressed, this, &FormSearch::Field_Enter);
    ConnectHandler(Results, &QTreeWidget::currentItemChanged, this, &FormSearch::Results_Choose);
    ConnectHandler(Results, &QTreeWidget::itemActivated, this, &FormSearch::Results_Choose);
    ConnectHandler(Results, &QTreeWidget::itemClicked, this, &FormSearch::Results_Choose);
    ConnectHandler(ClearHistory, &QPushButton::clicked, this, &FormSearch::ClearHistory_Click);
    ConnectHandler(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
                   &FormSearch::Focus);
    Field_Typed();
}

void FormSearch::Focus()
{
    show();
    raise();
    activateWindow();
    Field->setFocus();
    Field->selectAll();
}

// Results at every keystroke; with the field empty, the kaomoji used lately.
void FormSearch::Field_Typed()
{
    const QString query = Field->Query();
    std::vector<CatalogueEntry> found;
    const bool recent = query.trimmed().isEmpty();
    if (recent) {
        found = History::Read();
    } else {
        found = Search(query);
    }
    Heading->setVisible(recent);
    ClearHistory->setVisible(recent);
    const QSignalBlocker quiet(Results);
    Results->clear();
    for (const CatalogueEntry &e : found) {
        auto *item = new QTreeWidgetItem(Results, {QStringView(e.row->kaomoji).toString(),
                                                   QStringView(e.row->description).toString(),
                                                   QStringView(e.category->name).toString()});
        item->setData(0, Qt::UserRole, item->text(0));
    }
    if (found.empty() && !recent) {
        auto *none = new QTreeWidgetItem(Results, {QStringLiteral("見つかりません")});
        none->setFlags(Qt::NoItemFlags); // drawn grey, never chosen
    }
}

void FormSearch::Field_Enter()
{
    if (QTreeWidgetItem *first = Results->topLevelItem(0);
        first && first->flags() != Qt::NoItemFlags)
        emit Chosen(first->data(0, Qt::UserRole).toString(), first->text(2));
}

void FormSearch::Results_Choose()
{
    QTreeWidgetItem *item = Results->currentItem();
    if (!item || item->flags() == Qt::NoItemFlags)
        return;
    // A click on a new row reports it twice, as current and as clicked: one copy is enough.
    const QString kaomoji = item->data(0, Qt::UserRole).toString();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard() || clipboard->text() != kaomoji)
        emit Chosen(kaomoji, item->text(2));
}

void FormSearch::ClearHistory_Click()
{
    QString why;
    if (!History::Clear(&why)) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        QStringLiteral("履歴を消せませんでした。\n\n%1\n%2")
                            .arg(QDir::toNativeSeparators(History::FilePath()), why),
                        QMessageBox::Ok, this);
        box.exec();
    }
    Field_Typed();
}

void FormSearch::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (event->key() == Qt::Key_Down && Field->hasFocus() && Results->topLevelItemCount()) {
        // From the field into the results: the first one is chosen, and copied.
        Results->setFocus();
        Results->setCurrentItem(Results->topLevelItem(0));
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace pukalo
