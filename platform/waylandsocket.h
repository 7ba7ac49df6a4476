#pragma once

#include <QElapsedTimer>

namespace pukalo {

// A connection to the Wayland compositor's socket ($WAYLAND_DISPLAY, under $XDG_RUNTIME_DIR
// unless absolute), given up when the time left runs out: a compositor whose listen queue is
// full would keep a plain connect() waiting for ever. The connected socket, blocking as
// libwayland expects, or -1. Not for $WAYLAND_SOCKET, an already connected socket.
int ConnectToWayland(const QElapsedTimer &clock, int limitMs);

// Whether a Wayland compositor answers at $WAYLAND_DISPLAY within the limit (or an already
// connected $WAYLAND_SOCKET is given).
bool WaylandAnswers(int limitMs);

} // namespace pukalo
