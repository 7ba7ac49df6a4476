#include "ui/controls.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QGlyphRun>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace pukalo {

namespace {
constexpr int kRowsBelowFrame = 2;

// Rows as tall as the text and no taller, so that a kaomoji list and the description list
// beside it show all eleven entries of a column without scrolling, line for line.
class FontHighRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        // The design's pitch, one pixel more than the text size, whatever the font's own
        // line height (Noto CJK's is half as much again).
        size.setHeight(QFontInfo(option.font).pixelSize() + 1);
        return size;
    }
};
} // namespace

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setItemDelegate(new FontHighRowDelegate(this));
    // Long entries are cut at the edge, never shortened with an ellipsis or scrolled
    // sideways: a horizontal scroll bar would push a list out of line with its neighbour.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // The first row a little below the frame: a gothic's tallest glyphs (IPA's parentheses, ＼)
    // reach the very top of their row and touched the frame or were cut by it. The rows keep the
    // design's pitch; the room left below the last one takes the difference. The strip above
    // the rows is the list's own colour.
    setViewportMargins(0, kRowsBelowFrame, 0, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        // A press is reported at its release, as a click; Clear and AddItem report nothing.
        if (row >= 0 && !m_mouseDown && !m_filling) {
            m_byKeyboard = true;
            emit Click();
        }
    });
}

void ListBox::Clear()
{
    m_filling = true;
    clear();
    m_filling = false;
}

void ListBox::AddItem(const QString &text)
{
    m_filling = true;
    addItem(text);
    // Each text is measured once: a category's entries come back at every switch to it.
    auto fitted = m_fitted.constFind(text);
    if (fitted == m_fitted.constEnd()) {
        // The room an entry has: the list less its frame and the item's margins on both sides.
        const int room = width() - 2 * frameWidth() -
                         2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const QFont fitting = FittingFont(font(), text, QSize(room, QFontInfo(font()).pixelSize()));
        fitted = m_fitted.insert(text, fitting == font() ? std::optional<QFont>() : fitting);
    }
    if (*fitted)
        item(count() - 1)->setFont(**fitted);
    m_filling = false;
}

QString ListBox::Text() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    // Qt makes the first entry current, unselected, when a list without a chosen entry gets the
    // focus; Down would then skip it. With nothing current, Down chooses the first entry.
    const bool noneChosen = !currentIndex().isValid();
    QListWidget::focusInEvent(event);
    update();
    viewport()->update();
    if (noneChosen && selectedItems().isEmpty()) {
        m_filling = true;
        setCurrentIndex(QModelIndex());
        m_filling = false;
    }
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    update();
    viewport()->update();
}

// The keyboard focus shows as a dotted frame in the list's own text colour around its whole
// inside, even in a list with no entry chosen (a description list, a fresh one): painted in two
// parts, the rows' and the strip above them.
void ListBox::paintFocusFrame(QWidget *on)
{
    if (!hasFocus())
        return;
    QPainter painter(on);
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    const QRect inside = viewport()->geometry().adjusted(0, -kRowsBelowFrame, -1, -1);
    painter.drawRect(inside.translated(-on->mapTo(this, QPoint())));
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    paintFocusFrame(viewport());
}

bool ListBox::event(QEvent *event)
{
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Paint)
        paintFocusFrame(this);
    return handled;
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !selectedItems().isEmpty())
        emit Pick();
    else
        QListWidget::keyPressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (!selectedItems().isEmpty())
        emit DblClick();
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    m_mouseDown = true;
    QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (!m_mouseDown)
        return;
    m_mouseDown = false;
    m_byKeyboard = false;
    if (!selectedItems().isEmpty())
        emit Click();
}

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // A choice is made in the list or with the arrow keys, never by typing. QComboBox would
    // also report "activated" when typed text equals an entry and the field loses focus or
    // Return is pressed, and its completer would pick entries while typing: cut all three.
    setCompleter(nullptr);
    // A scroll over the box on its way elsewhere must not switch the category: the box takes
    // the focus by Tab and click, not by the wheel, and scrolls only with the focus.
    setFocusPolicy(Qt::StrongFocus);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    connect(this, &QComboBox::activated, this, &ComboBox::Click);
}

void ComboBox::AddItem(const QString &text)
{
    const int index = currentIndex();
    const QString shown = currentText();
    addItem(text);
    // QComboBox selects the first entry added to an empty box; a design-time text stays.
    if (index < 0 && currentIndex() >= 0) {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

QString ComboBox::Text() const
{
    return currentText();
}

void ComboBox::showPopup()
{
    QComboBox::showPopup();
    // Before the first choice the list opens with no entry chosen, so Enter chooses nothing.
    if (currentIndex() < 0) {
        view()->selectionModel()->clear();
        view()->setCurrentIndex(QModelIndex());
    }
}

void ComboBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

void SearchField::inputMethodEvent(QInputMethodEvent *event)
{
    m_preedit = event->preeditString();
    QLineEdit::inputMethodEvent(event);
    emit Typed();
}

SearchField::SearchField(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { emit Typed(); });
}

namespace {
// How many lines of this width the text takes.
int linesNeeded(const QString &text, const QFont &font, int width, bool wrap)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        // A line that does not fit even when wrapped (one word wider than the box) counts twice.
        lines += line.naturalTextWidth() > width ? 2 : 1;
    }
    layout.endLayout();
    return lines;
}

// How wide a text is drawn on one line: its advance, or further where a glyph's ink reaches past
// it (Noto CJK's ♪ does).
qreal oneLineWidth(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right());
}
} // namespace

QFont FittingFont(const QFont &font, const QString &text, QSize box, bool wrap)
{
    // Most texts fit as they are: one measurement, no layout.
    if (!wrap && oneLineWidth(text, font) <= box.width())
        return font;
    // A last line may reach a few pixels below the box: its descent is blank.
    const int pitch = std::max(1, QFontInfo(font).pixelSize());
    const int lines = std::max(1, (box.height() + pitch / 2) / pitch);
    auto fits = [&](const QFont &f) {
        return wrap ? linesNeeded(text, f, box.width(), true) <= lines
                    : oneLineWidth(text, f) <= box.width();
    };
    QFont fitting = font;
    for (int stretch = 100; stretch >= kNarrowestLegible; stretch -= 5) {
        fitting.setStretch(stretch);
        if (fits(fitting))
            return fitting;
    }
    // Narrower would no longer be legible: a little smaller instead.
    for (int size = 95; size >= kSmallestLegible; size -= 5) {
        fitting.setPointSizeF(font.pointSizeF() * size / 100);
        if (fits(fitting))
            return fitting;
    }
    return fitting;
}

QFont DesignLabel::PaintedFont() const
{
    QTextLayout layout;
    QRectF ink;
    return layOut(layout, &ink);
}

// The text laid out as designed: lines as far apart as the text is high, the baseline where the
// design's gothic has it, 0.88 of the size below a line's top, whatever ascent the Japanese
// font in use declares; in the label's font narrowed where the text would be too wide. Then
// moved just enough that its ink stays inside the label (Noto CJK's full-width ＾ reaches
// higher than the design's gothic: its top was cut off), and where the ink is taller than the
// label, in a font a little smaller. `ink` is where the glyphs' ink then lies, in the label's
// own coordinates; the font laid out in is returned.
QFont DesignLabel::layOut(QTextLayout &layout, QRectF *ink) const
{
    const QRectF area = contentsRect();
    const int advance = QFontInfo(font()).pixelSize();
    QFont used = FittingFont(font(), text(), contentsRect().size(), wordWrap());
    QTextOption option(alignment());
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::ManualWrap);
    QRectF glyphs;
    for (const qreal smallest = used.pointSizeF() * 0.8;;
         used.setPointSizeF(used.pointSizeF() * 0.95)) {
        layout.setText(text());
        layout.setFont(used);
        layout.setTextOption(option);
        layout.beginLayout();
        for (int y = 0;; y += advance) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, y + 0.88 * advance - line.ascent()));
        }
        layout.endLayout();
        glyphs = QRectF();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const QList<QPointF> positions = run.positions();
            const QList<quint32> indexes = run.glyphIndexes();
            for (qsizetype i = 0; i < indexes.size(); ++i)
                glyphs |= raw.boundingRect(indexes[i]).translated(positions[i]);
        }
        if (glyphs.height() <= area.height() + 0.5 || used.pointSizeF() * 0.95 < smallest)
            break;
    }
    // Into the label where there is room: down or up, and sideways where a glyph reaches past
    // its advance (a slanted V, a bearing on the left).
    auto into = [](qreal from, qreal to, qreal size) {
        return from < 0    ? std::min(-from, std::max<qreal>(0, size - to))
               : to > size ? -std::min(to - size, from)
                           : 0;
    };
    const QPointF shift(into(glyphs.left(), glyphs.right(), area.width()),
                        into(glyphs.top(), glyphs.bottom(), area.height()));
    if (!shift.isNull()) {
        for (int i = 0; i < layout.lineCount(); ++i)
            layout.lineAt(i).setPosition(layout.lineAt(i).position() + shift);
    }
    *ink = glyphs.translated(area.topLeft() + shift);
    return used;
}

QRectF DesignLabel::PaintedInk() const
{
    QTextLayout layout;
    QRectF ink;
    layOut(layout, &ink);
    return ink;
}

void DesignLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // the border, where there is one
    QTextLayout layout;
    QRectF ink;
    layOut(layout, &ink);
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, contentsRect().topLeft());
}

} // namespace pukalo
