#include "platform/windowmanager.h"

#include "platform/xcb/qtconnection.h"
#include "platform/xcb/xcbutil.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>
#include <map>

namespace pukalo {

void SkipTaskbar(QWidget *window)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return;
    const xcb_atom_t state = xcb::Intern(c, "_NET_WM_STATE");
    const xcb_atom_t skip = xcb::Intern(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    // On a window not mapped yet, the state property is the request; Qt merges its own states
    // into what it finds there when it maps the window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()), state,
                        XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(c);
}

void MarkAsSplash(QWidget *window)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t splash = xcb::Intern(c, "_NET_WM_WINDOW_TYPE_SPLASH");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, xcb::Intern(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &splash);
    // flags: decorations given; decorations: none.
    const uint32_t motif[5] = {2, 0, 0, 0, 0};
    const xcb_atom_t hints = xcb::Intern(c, "_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, hints, hints, 32, 5, motif);
    xcb_flush(c);
}

void RequestFrameExtents(QWidget *window)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return;
    xcb::SendToWindowManager(c, xcb_window_t(window->winId()),
                             xcb::Intern(c, "_NET_REQUEST_FRAME_EXTENTS"));
}

std::optional<QMargins> FrameExtents(QWidget *window)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return std::nullopt;
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, xcb_window_t(window->winId()), xcb::Intern(c, "_NET_FRAME_EXTENTS"),
                         XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

namespace {
// Sees the window manager set _NET_FRAME_EXTENTS on a window that waits for it.
class FrameExtentsWatch : public QAbstractNativeEventFilter
{
public:
    explicit FrameExtentsWatch(xcb_connection_t *c)
        : m_extents(xcb::Intern(c, "_NET_FRAME_EXTENTS"))
    {
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        const auto waiting = m_waiting.find(notify->window);
        if (notify->atom == m_extents && waiting != m_waiting.end()) {
            // After Qt has seen the event too.
            QMetaObject::invokeMethod(qApp, std::move(waiting->second), Qt::QueuedConnection);
            m_waiting.erase(waiting);
        }
        return false;
    }
    std::map<xcb_window_t, std::function<void()>> m_waiting;

private:
    xcb_atom_t m_extents;
};
} // namespace

void WhenFrameExtentsKnown(QWidget *window, std::function<void()> then)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return;
    static FrameExtentsWatch *watch = [c] {
        auto *filter = new FrameExtentsWatch(c);
        qApp->installNativeEventFilter(filter);
        return filter;
    }();
    watch->m_waiting[xcb_window_t(window->winId())] = std::move(then);
}

bool AlwaysOnTopSupported()
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c) {
        // Native Wayland lets no program keep its window above others; elsewhere Qt does it.
        return QGuiApplication::platformName() != QLatin1StringView("wayland");
    }
    return xcb::WindowManagerSupports(c, "_NET_WM_STATE_ABOVE");
}

} // namespace pukalo
