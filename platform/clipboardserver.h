#pragma once

namespace pukalo {

// While the program owns the clipboard, answers other programs' requests for it only in the
// forms that hold the text exactly. Call once, after the application object exists. Does
// nothing where the program does not run on X11.
void ServeClipboardExactly();

} // namespace pukalo
