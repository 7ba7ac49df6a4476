#pragma once

namespace pukalo {

// Says once, in a message box over the main window, that this desktop cannot paste a pick into
// another window (native Wayland, an X server without XTEST, no window manager answering
// _NET_ACTIVE_WINDOW), where that is so. The option is stored all the same.
void ExplainIfPasteUnsupported();

} // namespace pukalo
