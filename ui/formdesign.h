#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <optional>
#include <span>

class QMenuBar;
class QObject;
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
    SearchField, // one line; reports its text as typed, an input method's composition included;
                 // its text is the hint shown while it is empty
    ResultTable, // rows of columns, one chosen at a time; its text the column headers, by tabs
};

struct Font
{
    double points;
    bool bold = false;
    bool italic = false;
};

// Where a built control or menu entry is kept: the form's own member of its type, so that a
// control is written down once in its window's table and declared once in the form's header.
struct Member
{
    void *address = nullptr;
    void (*assign)(void *address, QObject *built) = nullptr;
};
template <typename T>
Member Into(T *&member)
{
    return {&member, [](void *address, QObject *built) {
                *static_cast<T **>(address) = qobject_cast<T *>(built);
                Q_ASSERT(*static_cast<T **>(address)); // the kind builds what the member holds
            }};
}

struct Control
{
    Kind kind;
    const char *name;
    Member into = {};
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
    Member into = {};
};

struct Window
{
    const char *name;
    const char16_t *caption;
    QSize clientSize;
    std::optional<QRgb> background = {}; // none: the toolkit's window colour
    bool resizable = false;              // down to two thirds of its size; otherwise fixed
};

// Builds a window from its design: name, caption, fixed size and background, then its controls
// on `client` (the window itself, or the main window's central widget) chained in tab-index
// order, each kept in its member; the first tab stop has the focus when the window opens.
void BuildWindow(QWidget *window, QWidget *client, const Window &design,
                 std::span<const Control> controls);
void BuildMenus(QMenuBar *bar, std::span<const MenuEntry> entries);

// Places a top-level window, frame included, in the middle of the screen when it is shown.
// Call once its window flags are final.
void CentreOnScreen(QWidget *window);
} // namespace pukalo::design
