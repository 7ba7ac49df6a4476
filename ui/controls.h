#pragma once

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextLayout>
#include <optional>

namespace pukalo {

// The narrowest a text is drawn (per cent of its width): half-width kana narrower than this are
// no longer legible (judged on screenshots in IPA's and Noto CJK's gothics).
inline constexpr int kNarrowestLegible = 75;

// The smallest a text is drawn (per cent of its size) where even the narrowest legible does not
// fit: the size of the neighbouring entries still reads as the same.
inline constexpr int kSmallestLegible = 85;

// The font, narrowed as little as needed (down to kNarrowestLegible), in which the text fits the
// box, ink included: on one line of the box's width, or, wrapped, in as many lines of the
// design's pitch (the text size) as the box is high. The windows are designed in a gothic whose
// kana are narrower than some that stand in for it (Noto CJK's), and their sizes stay. A text
// that does not fit even then ((▼o▼)ｵﾗｵﾗ in a kaomoji list) is made a little smaller at the
// narrowest, down to kSmallestLegible; past that it is cut at the box's edge.
QFont FittingFont(const QFont &font, const QString &text, QSize box, bool wrap = false);

// A plain unsorted, single-selection list box. Click fires whenever an entry becomes the
// chosen one by mouse or keyboard, and also when the user clicks the entry that is already
// chosen, so clicking a kaomoji always copies it again. Clear and AddItem fire nothing.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void Clear();
    void AddItem(const QString &text);
    // The selected entry's text, or the empty string when nothing is selected.
    QString Text() const;
    // Whether the last Click came from an arrow key rather than the mouse: the user may only
    // be passing by.
    bool ClickedByKeyboard() const { return m_byKeyboard; }

signals:
    void Click();
    void Pick();     // Enter or Return on an entry
    void DblClick(); // the second click of a double click, which Click does not report

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintFocusFrame(QWidget *on);

    bool m_mouseDown = false;
    bool m_filling = false;
    bool m_byKeyboard = false;
    QHash<QString, std::optional<QFont>> m_fitted; // an entry's narrowed font, if it needs one
};

// A drop-down box with an editable text field. Click fires when an entry is picked from the
// list, by mouse or with the arrow keys; typing into the field fires nothing.
class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    // Appends without choosing anything: the field keeps the text it shows.
    void AddItem(const QString &text);
    QString Text() const;
    void showPopup() override;

signals:
    void Click();

protected:
    void wheelEvent(QWheelEvent *event) override;
};

// A one-line field that reports what the user is typing at every keystroke, including the part
// an input method is still composing (Japanese is typed in readings before it is converted).
class SearchField : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchField(QWidget *parent = nullptr);
    // The committed text and, after it, what the input method is composing.
    QString Query() const { return text() + m_preedit; }

signals:
    void Typed();

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    QString m_preedit;
};

// A label as the windows were designed: lines as far apart as the text is high and the
// baseline where the design's gothic puts it, whatever Japanese font is installed. A font's own
// line spacing (Noto CJK's is half as much again as the text size) would push text out of its
// label.
class DesignLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
    // The font the text is painted in: the label's own, narrowed where the text would be too
    // wide, a little smaller where its glyphs would be too tall.
    QFont PaintedFont() const;
    // Where the painted text's ink lies, in the label's coordinates.
    QRectF PaintedInk() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont layOut(QTextLayout &layout, QRectF *ink) const;
};

} // namespace pukalo
