#pragma once

#include <QtGlobal>
#include <functional>

class QWidget;

namespace pukalo {

// The one z-order operation of the program: flag 1 puts the window into the always-on-top
// band, 0 takes it out (both keep its place and size and show it if hidden); any other flag
// does nothing at all.
void SetTopmost(QWidget *form, qint16 flag);

// What a modal window of the main window does when it closes: read Facechack (off when not
// stored) and, when it is on, put the main window back into the always-on-top band that the
// opening command took it out of.
void ReturnMainWindowToTopBand();

// Called when the user turns always-on-top on. Where the desktop cannot keep a window above
// others (native Wayland, or a window manager without that state), says so once per run; the
// option is stored all the same, for a desktop that allows it.
void ExplainIfAlwaysOnTopUnsupported();

// Tests see every call, whatever its flag, before it reaches the window system.
void SetTopmostObserverForTesting(std::function<void(QWidget *form, qint16 flag)> observer);

} // namespace pukalo
