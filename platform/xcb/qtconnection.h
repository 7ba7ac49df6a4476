#pragma once

#include <xcb/xcb.h>

namespace pukalo::xcb {

// Qt's own connection to the X server, or null where the program does not run on X11.
xcb_connection_t *QtConnection();

} // namespace pukalo::xcb
