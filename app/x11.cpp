#include "app/x11.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(PUKALO_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace pukalo {

void SkipTaskbar(QWidget *window)
{
#if defined(PUKALO_HAVE_XCB)
    // Other platform plugins (offscreen among them) may offer the X11 interface without a
    // connection behind it.
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    auto intern = [connection](const char *name) -> xcb_atom_t {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return atom;
    };
    const xcb_atom_t state = intern("_NET_WM_STATE");
    const xcb_atom_t skip = intern("_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    // On a window not mapped yet, the state property is the request; Qt merges its own states
    // into what it finds there when it maps the window.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()), state,
                        XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(connection);
#else
    Q_UNUSED(window)
#endif
}

} // namespace pukalo
