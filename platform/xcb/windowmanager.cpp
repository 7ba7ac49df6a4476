#include "platform/windowmanager.h"

#include "platform/xcb/qtconnection.h"
#include "platform/xcb/xcbutil.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <unistd.h>

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

QMargins FrameExtents(QWidget *window)
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return {};
    // Asks the window manager what frame the window will get, before it is mapped.
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t extents = xcb::Intern(c, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t request = {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = xcb::Intern(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    // A window manager that knows the request answers within milliseconds; one that does not
    // never does, and the window is then centred without its frame.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (reply && xcb_get_property_value_length(reply.get()) == 16) {
            const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
        }
        usleep(5000);
    }
    return {};
}

bool AlwaysOnTopSupported()
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c) {
        // Native Wayland lets no program keep its window above others; elsewhere Qt does it.
        return QGuiApplication::platformName() != QLatin1StringView("wayland");
    }
    const xcb_atom_t above = xcb::Intern(c, "_NET_WM_STATE_ABOVE");
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                         xcb::Intern(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    const auto *atoms =
        reply ? static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get())) : nullptr;
    return atoms && std::count(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4, above);
}

} // namespace pukalo
