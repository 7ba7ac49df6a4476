#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// What the paste needs of a Wayland compositor: which window has the focus, told as it changes,
// and the focus given to a window on request. Each compositor tells it its own way.
namespace pukalo::NativePaste {

// A window that took the focus, or the focus on none.
struct Seen
{
    enum class Kind
    {
        Native,  // a native Wayland window
        X11,     // a window under XWayland
        Desktop, // the desktop, a panel, or no window at all
    };
    Kind kind = Kind::Desktop;
    QString id; // the compositor's own name for the window, given back to focus it
    qint64 pid = 0;
    std::uint32_t x11Window = 0; // for X11: the window's id under XWayland
};

struct Listener
{
    std::function<void(const Seen &)> focused;
    std::function<void(const QString &id)> gone; // closed, or hidden from the user
};

class Compositor
{
public:
    virtual ~Compositor() = default;
    // True once the compositor has begun to tell.
    virtual bool following() const = 0;
    virtual void focus(const QString &id) = 0;
    virtual void focusX11(std::uint32_t window) = 0;
};

// sway and others speaking i3's IPC, at $SWAYSOCK; null where none answers there.
std::unique_ptr<Compositor> FollowSway(Listener listener);
// KWin, through a script of this program's that it runs; null where KWin is not on the session
// bus.
std::unique_ptr<Compositor> FollowKWin(Listener listener);

} // namespace pukalo::NativePaste
