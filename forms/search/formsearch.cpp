#include "forms/search/formsearch.h"

#include "catalogue/search.h"
#include "catalogue/userkaomoji.h"
#include "forms/search/formaddkaomoji.h"
#include "settings/favourites.h"
#include "settings/history.h"
#include "settings/windowsizes.h"
#include "ui/controls.h"
#include "ui/formdesign.h"
#include "ui/handler.h"
#include "ui/placement.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pukalo {

using namespace design;

namespace {
const QString kSizeName = QStringLiteral("search-window");
} // namespace

FormSearch::FormSearch(QWidget *owner, KeepClear keepClear)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_keepClear(std::move(keepClear))
{
    // A dialog of the main window to the window manager: kept above it, in its band too. One
    // for the whole run, hidden when closed: an input method keeps its state per window, and the
    // user's stays on from one opening to the next.
    // As designed; positions in twips, the sizes the window starts at.
    // clang-format off
    const Window window = {.name = "FormSearch", .caption = u"プカロ！顔文字を探す",
                           .clientSize = ClientSize(5400, 4560), .resizable = true};
    const Control controls[] = {
        {.kind = Kind::SearchField, .name = "Field", .into = Into(Field),
         .text = u"例: にこにこ、なく、niko、smile",
         .tooltip = u"読み・意味・説明・種類・顔文字で探します。ローマ字や英語でも探せます。",
         .rect = {120, 120, 5160, 360}, .tabIndex = 0, .font = Font{12}},
        {.kind = Kind::Label, .name = "Heading", .into = Into(Heading), .text = u"最近使った顔文字",
         .rect = {120, 600, 5160, 255}, .tabIndex = 1},
        {.kind = Kind::ResultTable, .name = "Results", .into = Into(Results),
         .text = u"顔文字\t説明\t種類", .rect = {120, 900, 5160, 3060}, .tabIndex = 2, .font = Font{12}},
        {.kind = Kind::Button, .name = "ClearHistory", .into = Into(ClearHistory), .text = u"履歴を消す",
         .rect = {3840, 4080, 1440, 375}, .tabIndex = 3},
    };
    // clang-format on
    BuildWindow(this, this, window, controls);
    m_recentHeading = Heading->text();
    // The results take what the window grows by; what is hidden takes no room.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Px(120), Px(120), Px(120), Px(120));
    layout->addWidget(Field);
    layout->addWidget(Heading);
    layout->addWidget(Results, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ClearHistory);
    layout->addLayout(buttons);
    // The kaomoji as wide as the widest of the catalogue, the category as its longest name, the
    // description the rest, which is what is cut first. Measured once, not at every keystroke.
    // Nothing to scroll sideways.
    Results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Results->header()->setStretchLastSection(false);
    Results->header()->setSectionsMovable(false);
    int kaomojiWidth = Results->fontMetrics().horizontalAdvance(Results->headerItem()->text(0));
    for (const CatalogueEntry &e : AllEntries())
        kaomojiWidth = std::max(kaomojiWidth, Results->fontMetrics().horizontalAdvance(
                                                  QStringView(e.row->kaomoji).toString()));
    int categoryWidth = Results->fontMetrics().horizontalAdvance(Results->headerItem()->text(2));
    for (const KaomojiCategory &category : CategoryTable)
        categoryWidth = std::max(categoryWidth, Results->fontMetrics().horizontalAdvance(
                                                    QStringView(category.name).toString()));
    const int padding = 2 * Results->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    Results->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    Results->header()->resizeSection(0, kaomojiWidth + padding);
    Results->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    Results->header()->setSectionResizeMode(2, QHeaderView::Fixed);
    Results->header()->resizeSection(2, categoryWidth + padding);
    // The size the user gave it last, exactly; else as designed.
    if (const std::optional<QSize> size = WindowSizes::Read(kSizeName))
        m_size = size->expandedTo(minimumSize());
    else
        m_size = this->size();

    ConnectHandler(Field, &SearchField::Typed, this, &FormSearch::Field_Typed);
    ConnectHandler(Field, &QLineEdit::returnPressed, this, &FormSearch::Field_Enter);
    ConnectHandler(Results, &QTreeWidget::currentItemChanged, this, &FormSearch::Results_Reach);
    ConnectHandler(Results, &QTreeWidget::itemActivated, this, &FormSearch::Results_Choose);
    ConnectHandler(Results, &QTreeWidget::itemClicked, this, &FormSearch::Results_Choose);
    ConnectHandler(ClearHistory, &QPushButton::clicked, this, &FormSearch::ClearHistory_Click);
    ConnectHandler(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
                   &FormSearch::Focus);
    ConnectHandler(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated,
                   this, &FormSearch::Favourite_Toggle);
    ConnectHandler(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this), &QShortcut::activated,
                   this, &FormSearch::AddKaomoji_Click);
    Results->setContextMenuPolicy(Qt::CustomContextMenu);
    ConnectHandler(Results, &QWidget::customContextMenuRequested, this, &FormSearch::Results_Menu);
    Field_Typed();
}

void FormSearch::Focus()
{
    if (!isVisible())
        placeBesideOwner();
    // The user's own kaomoji as their file holds them now.
    Field_Typed();
    show();
    raise();
    activateWindow();
    Field->setFocus();
    Field->selectAll();
    tellProblems();
}

void FormSearch::Find(const QString &words)
{
    Field->setText(words);
    Focus();
}

// At the size the user gave it, beside the main window on the side with room for it, so that it
// never covers the lists; where no side has room (a 1024 x 768 screen), where it covers least of
// what the user clicks there, and never the category box. Never narrower than that size, but
// where the screen itself is smaller.
void FormSearch::placeBesideOwner()
{
    const QWidget *owner = parentWidget();
    const QScreen *screen = owner ? owner->screen() : nullptr;
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The main window's frame as far as Qt knows it. While the window manager is still making the
    // frame, Qt may have read it from a frame window not sized yet (KWin without a decoration:
    // one pixel square, and the search window landed on the lists): no frame is smaller than
    // its window.
    const QRect client = owner->geometry(), said = owner->frameGeometry();
    const QMargins frame(
        std::max(0, client.left() - said.left()), std::max(0, client.top() - said.top()),
        std::max(0, said.right() - client.right()), std::max(0, said.bottom() - client.bottom()));
    const QRect main = client.marginsAdded(frame);
    // Not mapped yet, this window has no frame of its own: it gets the main window's kind.
    const QSize outer = m_size.grownBy(frame).boundedTo(area.size());
    auto onScreen = [](const QWidget *w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
    std::vector<QRect> clicked;
    for (const QWidget *w : m_keepClear.clicked)
        clicked.push_back(onScreen(w));
    const QRect placed = PlaceBeside(main, outer, area, clicked,
                                     m_keepClear.never ? onScreen(m_keepClear.never) : QRect());
    m_placing = true;
    resize(outer.shrunkBy(frame));
    move(placed.topLeft());
    m_placing = false;
}

// Results at every keystroke, favourites first among equals; with the field empty, the
// favourites, then the kaomoji used lately, each once.
void FormSearch::Field_Typed()
{
    // A page pasted into the field is searched by its beginning: every keystroke stays quick.
    constexpr qsizetype kMostSearched = 100;
    const QString query = Field->Query();
    const bool recent = query.trimmed().isEmpty(), cut = query.size() > kMostSearched;
    const std::vector<CatalogueEntry> favourites = Favourites::Read();
    auto favourite = [&](const CatalogueEntry &e) { return Favourites::Contains(favourites, e); };
    std::vector<CatalogueEntry> found = favourites;
    if (recent) {
        for (const CatalogueEntry &e : History::Read()) {
            if (!favourite(e))
                found.push_back(e);
        }
    } else {
        found = Search(cut ? query.left(kMostSearched) : query, favourite);
    }
    Heading->setText(
        cut                  ? QStringLiteral("長すぎるため、最初の%1文字だけで探しています").arg(kMostSearched)
        : favourites.empty() ? m_recentHeading
                             : QStringLiteral("お気に入りと最近使った顔文字"));
    Heading->setVisible(recent || cut);
    ClearHistory->setVisible(recent);
    const QSignalBlocker quiet(Results);
    Results->clear();
    for (const CatalogueEntry &e : found) {
        // A favourite is starred beside its description: the kaomoji is copied as it is.
        const QString description = QStringView(e.row->description).toString();
        auto *item = new QTreeWidgetItem(
            Results, {QStringView(e.row->kaomoji).toString(),
                      favourite(e) ? QStringLiteral("★ ") + description : description,
                      QStringView(e.category->name).toString()});
        if (item->text(0) + u'\t' + item->text(2) == m_lastChosen)
            Results->setCurrentItem(item);
    }
    if (found.empty() && !recent) {
        auto *none = new QTreeWidgetItem(Results, {QStringLiteral("見つかりません")});
        none->setFlags(Qt::NoItemFlags); // drawn grey, never chosen
        none->setFirstColumnSpanned(true);
    }
}

void FormSearch::choose(const QTreeWidgetItem *item, bool passingBy)
{
    if (!item || item->flags() == Qt::NoItemFlags)
        return;
    m_lastChosen = item->text(0) + u'\t' + item->text(2);
    emit Chosen(item->text(0), item->text(2), passingBy);
}

void FormSearch::Field_Enter()
{
    QTreeWidgetItem *first = Results->topLevelItem(0);
    choose(first, false);
    if (first && first->flags() != Qt::NoItemFlags) {
        const QSignalBlocker quiet(Results);
        Results->setCurrentItem(first);
    }
}

void FormSearch::Results_Reach()
{
    choose(Results->currentItem(), true);
}

void FormSearch::Results_Choose()
{
    choose(Results->currentItem(), false);
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
    Field->setFocus();
}

void FormSearch::warn(const QString &what, const QString &why)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(), what + QStringLiteral("\n\n") + why,
                    QMessageBox::Ok, this);
    box.exec();
}

// What of the user's own kaomoji file could not be read, said once.
void FormSearch::tellProblems()
{
    QStringList fresh;
    for (const QString &problem : UserKaomoji::Problems()) {
        if (!m_problemsTold.contains(problem))
            fresh << problem;
    }
    if (fresh.isEmpty())
        return;
    m_problemsTold += fresh;
    if (fresh.size() > 10)
        fresh = fresh.mid(0, 10) << QStringLiteral("ほか %1 件").arg(fresh.size() - 10);
    warn(QStringLiteral("自分の顔文字のうち、読めない行を飛ばしました。"), fresh.join(u'\n'));
}

void FormSearch::Results_Menu(const QPoint &at)
{
    const QTreeWidgetItem *item = Results->itemAt(at);
    if (item && item->flags() == Qt::NoItemFlags)
        item = nullptr;
    if (item)
        Results->setCurrentItem(const_cast<QTreeWidgetItem *>(item));
    const std::optional<CatalogueEntry> entry =
        item ? FindKaomoji(item->text(0), item->text(2)) : std::nullopt;
    QMenu menu(this);
    if (entry) {
        QAction *favourite = menu.addAction(QStringLiteral("お気に入り"));
        favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
        favourite->setCheckable(true);
        favourite->setChecked(Favourites::Contains(Favourites::Read(), *entry));
        connect(favourite, &QAction::triggered, this, Guarded([this] { Favourite_Toggle(); }));
        menu.addSeparator();
    }
    QAction *add = menu.addAction(QStringLiteral("自分の顔文字に追加…"));
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(add, &QAction::triggered, this, Guarded([this] { AddKaomoji_Click(); }));
    if (entry && entry->category == &UserKaomoji::Category())
        connect(menu.addAction(QStringLiteral("自分の顔文字から削除")), &QAction::triggered, this,
                Guarded([this] { RemoveKaomoji_Click(); }));
    connect(menu.addAction(QStringLiteral("顔文字をインポート…")), &QAction::triggered, this,
            Guarded([this] { Import_Click(); }));
    menu.exec(Results->viewport()->mapToGlobal(at));
}

void FormSearch::Favourite_Toggle()
{
    // The row chosen, else the first: the one Enter copies.
    const QTreeWidgetItem *item =
        Results->currentItem() ? Results->currentItem() : Results->topLevelItem(0);
    const std::optional<CatalogueEntry> entry = item && item->flags() != Qt::NoItemFlags
                                                    ? FindKaomoji(item->text(0), item->text(2))
                                                    : std::nullopt;
    if (!entry)
        return;
    QString why;
    if (!Favourites::Mark(*entry, !Favourites::Contains(Favourites::Read(), *entry), &why))
        warn(QStringLiteral("お気に入りを保存できませんでした。\n%1")
                 .arg(QDir::toNativeSeparators(Favourites::FilePath())),
             why);
    Field_Typed();
}

void FormSearch::AddKaomoji_Click()
{
    FormAddKaomoji dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // What was added is shown: found by its own text.
    Field->setText(dialog.Added().trimmed());
    Field_Typed();
    Field->setFocus();
    Field->selectAll();
}

void FormSearch::RemoveKaomoji_Click()
{
    const QTreeWidgetItem *item = Results->currentItem();
    if (!item || item->text(2) != QStringView(UserKaomoji::Category().name))
        return;
    QMessageBox ask(QMessageBox::Question, windowTitle(),
                    QStringLiteral("「%1」を自分の顔文字から削除しますか。").arg(item->text(0)),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (ask.exec() != QMessageBox::Yes)
        return;
    QString why;
    if (!UserKaomoji::Remove(item->text(0), &why))
        warn(QStringLiteral("削除できませんでした。"), why);
    Field_Typed();
}

void FormSearch::Import_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("顔文字をインポート"), QDir::homePath(),
        QStringLiteral("ユーザー辞書・顔文字の一覧 (*.txt *.tsv);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    QString why;
    const std::optional<UserKaomoji::Imported> done = UserKaomoji::Import(path, &why);
    if (!done) {
        warn(QStringLiteral("インポートできませんでした。"), why);
        return;
    }
    QMessageBox box(QMessageBox::Information, windowTitle(),
                    QStringLiteral("%1 個を自分の顔文字に追加しました。\n"
                                   "%2 個はもうあるか読めないので飛ばしました。")
                        .arg(done->added)
                        .arg(done->skipped),
                    QMessageBox::Ok, this);
    box.exec();
    Field_Typed();
}

void FormSearch::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
    } else if (event->key() == Qt::Key_Down && Field->hasFocus() && Results->topLevelItemCount()) {
        // From the field into the results: the first one is chosen, and copied.
        Results->setFocus();
        Results->setCurrentItem(Results->topLevelItem(0));
    } else {
        QWidget::keyPressEvent(event);
    }
}

void FormSearch::resizeEvent(QResizeEvent *event)
{
    // The size the user gives it, kept for the end of the program whichever way it ends. Not
    // the size it is placed at on a screen too small for the user's: that one is not the user's.
    if (isVisible() && !m_placing && event->spontaneous() && size() != event->oldSize()) {
        m_size = size();
        WindowSizes::Remember(kSizeName, size());
    }
    QWidget::resizeEvent(event);
}

void FormSearch::hideEvent(QHideEvent *event)
{
    WindowSizes::Write();
    QWidget::hideEvent(event);
}

} // namespace pukalo
