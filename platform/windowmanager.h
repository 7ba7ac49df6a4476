#pragma once

#include <QMargins>
#include <functional>
#include <optional>

class QByteArray;
class QObject;
class QWidget;

// What the program says to and asks of the window manager beyond what Qt does. Where the
// program does not run on X11, each answers harmlessly.
namespace pukalo {

// Asks the window manager to leave the window out of the task bar. Call before the window is
// first shown.
void SkipTaskbar(QWidget *window);

// Tells the window manager that the window is a splash screen and wants no frame at all: Qt
// names normal as a fallback type and sets no Motif hints, and sway's XWayland then draws a
// title bar. Call before the window is first shown.
void MarkAsSplash(QWidget *window);

// Asks the window manager what frame it will put around the window, without waiting for the
// answer. Creates the native window: call once its flags are final.
void RequestFrameExtents(QWidget *window);
// The frame (left, top, right, bottom) the window manager has said it puts around the window;
// nothing while it has not said, or where it never does.
std::optional<QMargins> FrameExtents(QWidget *window);
// Calls `changed`, in `context`'s thread and while `context` lives, each time the window
// manager says what frame the window has. Some say it only once the window is mapped
// (fluxbox), some first say no frame and the real one a moment later (openbox, framing a
// window it was too busy to frame at once).
void WatchFrameExtents(QWidget *window, QObject *context, std::function<void()> changed);

// At the call of a later start, which the user made (a key, a launcher, a command): `show`
// shows, raises and activates the window as Qt does, and the launcher's token goes with it,
// which window managers that keep programs from taking the focus ask for. On X11 the startup id
// is set on the window before it is mapped, the window asked for as a pager asks, with the time
// in the id (when the user asked), and the launcher told that the start is over; on native
// Wayland, Qt activates with the token it finds in the environment.
void BringForward(QWidget *window, const QByteArray &startupId, const QByteArray &activationToken,
                  const std::function<void()> &show);

// Whether the window manager can keep a window above all others: on X11 when it says so in
// _NET_SUPPORTED; never on native Wayland.
bool AlwaysOnTopSupported();

} // namespace pukalo
