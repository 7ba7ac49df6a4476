#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <optional>
#include <span>

class QMenuBar;
class QWidget;

// The vocabulary in which each window writes down its design-time definition: controls with
// their kind, name, texts, position in twips, tab index, colours and font; menus as a tree of
// captions. A window's definition is one table of these, read by the builders below.
namespace pukalo::design {

// Window layouts are measured in twips, 15 to a logical pixel.
constexpr int Px(int twips)
{
    return (twips * 2 + 15) / 30;
}

struct Twips
{
    int left, top, width, height;
};

constexpr QRect ToPixels(Twips t)
{
    return QRect(Px(t.left), Px(t.top), Px(t.width), Px(t.height));
}

constexpr QSize ClientSize(int widthTwips, int heightTwips)
{
    return QSize(Px(widthTwips), Px(heightTwips));
}

enum class Kind
{
    ListBox,
    ComboBox,
    Label,
    Button,
    GraphicalButton, // a command button drawn in its own background colour
    CheckBox,
    TextBox, // multi-line, vertical scroll bar, wraps at its width
    PictureBox,
};

struct Font
{
    double points;
    bool bold = false;
    bool italic = false;
};

struct Control
{
    Kind kind;
    const char *name;
    const char16_t *text = u"";
    const char16_t *tooltip = u"";
    Twips rect = {};
    int tabIndex = 0;
    std::optional<QRgb> background = {}; // none: the toolkit's default
    std::optional<QRgb> foreground = {};
    std::optional<Font> font = {}; // none: the window's default font
    bool transparent = false;      // labels only
    bool border = false;           // labels only: a single-line frame
    bool wrap = false;             // labels only: wrap at the label's width
};

enum class Level
{
    Menu,
    Item,
    CheckItem,
    Separator,
};

struct MenuEntry
{
    Level level;
    const char *name;
    const char16_t *caption = u"";
};

constexpr QRgb Rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// Creates the controls on `client` (the form's client area) and chains the focusable ones in
// tab-index order. Returns the first of them, the one that has the focus when the form opens.
QWidget *BuildControls(QWidget *client, std::span<const Control> controls);
void BuildMenus(QMenuBar *bar, std::span<const MenuEntry> entries);

// A form's own background colour, painted behind its controls.
void SetFormBackground(QWidget *form, QRgb colour);
// Places a top-level window in the middle of the screen it opens on.
void CentreOnScreen(QWidget *window);
} // namespace pukalo::design
