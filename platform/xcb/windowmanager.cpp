#include "platform/windowmanager.h"

#include "platform/platformchoice.h"
#include "platform/xcb/qtconnection.h"
#include "platform/xcb/xcbutil.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <cstring>
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
// Sees the window manager set _NET_FRAME_EXTENTS on a watched window.
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
        if (notify->atom != m_extents)
            return false;
        const auto [first, last] = m_watchers.equal_range(notify->window);
        for (auto watcher = first; watcher != last; ++watcher) {
            // After Qt has seen the event too; dropped by Qt should the context be gone by then.
            if (watcher->second.context)
                QMetaObject::invokeMethod(watcher->second.context, watcher->second.changed,
                                          Qt::QueuedConnection);
        }
        return false;
    }
    void add(xcb_window_t window, QObject *context, std::function<void()> changed)
    {
        m_watchers.emplace(window, Watcher{context, std::move(changed)});
        QObject::connect(context, &QObject::destroyed, qApp, [this] {
            std::erase_if(m_watchers, [](const auto &watcher) { return !watcher.second.context; });
        });
    }

private:
    struct Watcher
    {
        QPointer<QObject> context;
        std::function<void()> changed;
    };
    xcb_atom_t m_extents;
    std::multimap<xcb_window_t, Watcher> m_watchers;
};
} // namespace

void WatchFrameExtents(QWidget *window, QObject *context, std::function<void()> changed)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return;
    static FrameExtentsWatch *watch = [c] {
        auto *filter = new FrameExtentsWatch(c);
        qApp->installNativeEventFilter(filter);
        return filter;
    }();
    watch->add(xcb_window_t(window->winId()), context, std::move(changed));
}

namespace {
// The time a launcher puts in a startup id ("…_TIME<server time>"): when the user asked.
xcb_timestamp_t timeIn(const QByteArray &startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    bool ok = false;
    const uint time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : XCB_CURRENT_TIME;
}

// A startup notification message to the launchers, in pieces of 20 bytes, the end included.
void sendStartupMessage(xcb_connection_t *c, xcb_window_t from, const QByteArray &text)
{
    const auto [begin, more] = xcb::Intern(c, {"_NET_STARTUP_INFO_BEGIN", "_NET_STARTUP_INFO"});
    const QByteArray whole = text + '\0';
    for (qsizetype at = 0; at < whole.size(); at += 20) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = from;
        message.type = at == 0 ? begin : more;
        const QByteArray piece = whole.mid(at, 20);
        std::memcpy(message.data.data8, piece.constData(), size_t(piece.size()));
        xcb_send_event(c, 0, xcb::Root(c), XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char *>(&message));
    }
}
} // namespace

void BringForward(QWidget *window, const QByteArray &startupId, const QByteArray &activationToken,
                  const std::function<void()> &show)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c) {
        if (!activationToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", activationToken);
        return show();
    }
    const auto id = xcb_window_t(window->winId());
    const auto [startupAtom, utf8, active] =
        xcb::Intern(c, {"_NET_STARTUP_ID", "UTF8_STRING", "_NET_ACTIVE_WINDOW"});
    if (!startupId.isEmpty())
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, startupAtom, utf8, 8,
                            uint32_t(startupId.size()), startupId.constData());
    show();
    // Qt asks as the program, with the time of the last event it had: older than the user's
    // call, and KWin at its High and Extreme levels refuses a program even the launcher's time.
    // Asked as a pager asks, for the user, after the window manager has had the map request.
    xcb::SendToWindowManager(c, id, active, {2, timeIn(startupId), 0});
    if (!startupId.isEmpty())
        sendStartupMessage(c, id, "remove: ID=" + startupId);
    xcb_flush(c);
}

bool AlwaysOnTopSupported()
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c) {
        // Native Wayland lets no program keep its window above others; elsewhere Qt does it.
        return !OnNativeWayland();
    }
    return xcb::WindowManagerSupports(c, "_NET_WM_STATE_ABOVE");
}

} // namespace pukalo
