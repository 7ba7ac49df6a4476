#include "platform/platformchoice.h"

#include "platform/xcb/qtconnection.h"

#include <QGuiApplication>

namespace pukalo {

xcb_connection_t *xcb::QtConnection()
{
    // Other platform plugins (offscreen among them) may offer the X11 interface without a
    // connection behind it.
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

bool OnX11()
{
    return xcb::QtConnection() != nullptr;
}

bool ChoosePlatformAndCheckDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // Qt aborts where its platform cannot connect: asked here first, within a limit.
    if (IsWaylandPlatform(platform))
        return NativeWaylandPossible();
    // Another platform named outright (offscreen, vnc ...) is Qt's business.
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    const bool reachable = !qEnvironmentVariableIsEmpty("DISPLAY") && [] {
        xcb_connection_t *c = xcb_connect(nullptr, nullptr);
        const bool connected = xcb_connection_has_error(c) == 0;
        xcb_disconnect(c);
        return connected;
    }();
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        // A Wayland session that offers X11 too (XWayland): run there unless the user chose a
        // platform, for always-on-top and centring work wherever its window manager allows.
        if (reachable) {
            qputenv("QT_QPA_PLATFORM", "xcb");
            return true;
        }
        return NativeWaylandPossible();
    }
    return reachable;
}

} // namespace pukalo
