#include "ui/formdesign.h"

#include "platform/windowmanager.h"
#include "ui/controls.h"
#include "ui/japanesefont.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace pukalo::design {

namespace {
QWidget *create(const Control &c, QWidget *client)
{
    const QString text = QString::fromUtf16(c.text);
    switch (c.kind) {
    case Kind::ListBox:
        return new ListBox(client);
    case Kind::ComboBox: {
        auto *combo = new ComboBox(client);
        combo->setEditText(text);
        return combo;
    }
    case Kind::Label: {
        auto *label = new DesignLabel(text, client);
        // Kaomoji such as "<^^>" must never be taken for markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(c.wrap);
        if (c.border)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        return label;
    }
    case Kind::Button:
    case Kind::GraphicalButton: {
        auto *button = new QPushButton(text, client);
        // Enter presses the button that has the focus, as Space does; no window of the
        // program has a default button.
        button->setAutoDefault(true);
        // Drawn in its own colour, flat with a raised edge; styles would paint a gradient.
        if (c.kind == Kind::GraphicalButton && c.background) {
            button->setStyleSheet(
                QStringLiteral("QPushButton { background-color: %1; border: 2px outset #c0c0c0; }"
                               "QPushButton:pressed { border-style: inset; }"
                               "QPushButton:focus { outline: 1px dotted black; }")
                    .arg(QColor::fromRgb(*c.background).name()));
        }
        return button;
    }
    case Kind::CheckBox:
        return new QCheckBox(text, client);
    case Kind::TextBox: {
        auto *edit = new QPlainTextEdit(client);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Tab moves on to the next control, as in any other text field of a form.
        edit->setTabChangesFocus(true);
        // Texts are written down with CR LF line ends; the editor keeps lines as blocks.
        edit->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return edit;
    }
    case Kind::PictureBox: {
        auto *picture = new QLabel(client);
        picture->setTextFormat(Qt::PlainText);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::SearchField: {
        auto *field = new SearchField(client);
        field->setPlaceholderText(QString::fromUtf16(c.text));
        return field;
    }
    case Kind::ResultTable: {
        auto *table = new QTreeWidget(client);
        const QStringList headers = QString::fromUtf16(c.text).split(u'\t');
        table->setColumnCount(int(headers.size()));
        table->setHeaderLabels(headers);
        table->setRootIsDecorated(false);
        table->setUniformRowHeights(true);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return table;
    }
    }
    return nullptr;
}

void paint(const Control &c, QWidget *w)
{
    QPalette palette = w->palette();
    if (c.background) {
        const QColor colour = QColor::fromRgb(*c.background);
        switch (c.kind) {
        case Kind::ListBox:
        case Kind::ResultTable:
        case Kind::TextBox:
        case Kind::ComboBox:
            palette.setColor(QPalette::Base, colour);
            break;
        case Kind::Button:
        case Kind::GraphicalButton:
            palette.setColor(QPalette::Button, colour);
            break;
        default:
            // Check boxes paint their background in the button role, labels in the window role.
            palette.setColor(w->backgroundRole(), colour);
            break;
        }
    }
    if (c.foreground) {
        const QColor colour = QColor::fromRgb(*c.foreground);
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::Text, colour);
        palette.setColor(QPalette::ButtonText, colour);
    }
    w->setPalette(palette);

    const bool opaque = c.kind == Kind::Label ? !c.transparent : c.background.has_value();
    if (c.kind == Kind::Label || c.kind == Kind::CheckBox || c.kind == Kind::PictureBox)
        w->setAutoFillBackground(opaque);
}

// A check box's caption and the drop-down's text, in the room their control leaves them with a
// blank at the edge (labels and list entries fit themselves as they are painted and filled).
void fitCaption(const Control &c, QWidget *w)
{
    const QString text = QString::fromUtf16(c.text);
    if (auto *box = qobject_cast<QCheckBox *>(w)) {
        const int room = w->width() - w->style()->pixelMetric(QStyle::PM_IndicatorWidth) -
                         w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) - 2;
        box->setFont(FittingFont(box->font(), text, QSize(room, w->height())));
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        combo->lineEdit()->setFont(
            FittingFont(combo->font(), text, QSize(field.width() - 8, field.height())));
    }
}
} // namespace

void BuildWindow(QWidget *window, QWidget *client, const Window &design,
                 std::span<const Control> controls)
{
    window->setObjectName(QLatin1StringView(design.name));
    window->setWindowTitle(QString::fromUtf16(design.caption));
    if (design.resizable) {
        client->resize(design.clientSize);
        client->setMinimumSize(design.clientSize * 2 / 3);
    } else {
        client->setFixedSize(design.clientSize);
    }
    if (design.background) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(*design.background));
        window->setPalette(palette);
    }

    std::vector<QWidget *> widgets;
    for (const Control &c : controls) {
        QWidget *w = create(c, client);
        w->setObjectName(QLatin1StringView(c.name));
        w->setGeometry(ToPixels(c.rect));
        if (c.font)
            w->setFont(DesignFont(c.font->points, c.font->bold, c.font->italic));
        if (*c.tooltip)
            w->setToolTip(QString::fromUtf16(c.tooltip));
        fitCaption(c, w);
        paint(c, w);
        if (c.into.assign)
            c.into.assign(c.into.address, w);
        widgets.push_back(w);
    }

    std::vector<size_t> order(controls.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return controls[a].tabIndex < controls[b].tabIndex;
    });
    QWidget *previous = nullptr;
    for (size_t i : order) {
        QWidget *w = widgets[i];
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        else
            w->setFocus();
        previous = w;
    }
}

void BuildMenus(QMenuBar *bar, std::span<const MenuEntry> entries)
{
    QMenu *menu = nullptr;
    for (const MenuEntry &e : entries) {
        const QString name = QLatin1StringView(e.name);
        const QString caption = QString::fromUtf16(e.caption);
        switch (e.level) {
        case Level::Menu:
            menu = bar->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
            if (e.into.assign)
                e.into.assign(e.into.address, menu);
            break;
        case Level::Item:
        case Level::CheckItem: {
            QAction *action = menu->addAction(caption);
            action->setObjectName(name);
            action->setCheckable(e.level == Level::CheckItem);
            if (e.into.assign)
                e.into.assign(e.into.address, action);
            break;
        }
        case Level::Separator:
            menu->addSeparator()->setObjectName(name);
            break;
        }
    }
}

namespace {
// Where a window of this size goes so that its frame, title bar and borders included, sits in
// the middle of the screen.
QPoint middle(QSize size, QMargins extents)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPoint();
    QRect frame = QRect(QPoint(), size).marginsAdded(extents);
    frame.moveCenter(screen->availableGeometry().center());
    return frame.topLeft() + QPoint(extents.left(), extents.top());
}

// Centres a window whose frame the window manager says only after it is shown, each time it
// says it (the frame it first says may be none, the real one following), for a second after
// the first. Through the widget, whose own idea of its place Qt sends again with any later
// change of size: a move of the native window alone left the widget's old place to be sent
// back (seen about once in a hundred late starts). A place reported meanwhile from before the
// move is mended a few times at most.
class CentreWhenFramed : public QObject
{
public:
    CentreWhenFramed(QWidget *window, QSize size) : QObject(window), m_window(window), m_size(size)
    {
        WatchFrameExtents(window, this, [this] { centre(); });
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Move && m_place.isValid() && m_mends < 3 &&
            m_window->geometry().topLeft() != m_place.topLeft()) {
            ++m_mends;
            m_window->setGeometry(m_place);
        }
        return false;
    }

private:
    void centre()
    {
        if (!m_place.isValid())
            QTimer::singleShot(1000, this, &QObject::deleteLater);
        m_place = QRect(middle(m_size, FrameExtents(m_window).value_or(QMargins())), m_size);
        m_mends = 0;
        m_window->setGeometry(m_place);
    }

    QWidget *m_window;
    QSize m_size;
    QRect m_place;
    int m_mends = 0;
};

// Places the window the moment it is shown, before it is mapped, with the frame the window
// manager has said by then; where it says so only later, moves it when it does.
class CentreWhenShown : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *window = static_cast<QWidget *>(watched);
        const std::optional<QMargins> extents = FrameExtents(window);
        // Not mapped yet, the window has no frame Qt knows of: move() places the window itself.
        const QSize size = window->size();
        window->move(middle(size, extents.value_or(QMargins())));
        // Mapped by then and being framed, the window may report passing sizes (without its
        // menu bar, say), and QWidget::move() would add the frame Qt has learnt so far: the
        // size it is shown at, and the native window placed by itself.
        if (!extents)
            new CentreWhenFramed(window, size);
        window->removeEventFilter(this);
        deleteLater();
        return false;
    }
};
} // namespace

void CentreOnScreen(QWidget *window)
{
    // Asked now, read at Show: the window manager answers while the window is being filled,
    // and start-up never waits for it.
    RequestFrameExtents(window);
    window->installEventFilter(new CentreWhenShown(window));
}

} // namespace pukalo::design
