#pragma once

#include "platform/pasteback.h"

class QLabel;
class QString;

namespace pukalo {

// Says once, in a message box over the main window, that this desktop cannot paste a pick into
// another window (native Wayland, an X server without XTEST, no window manager answering
// _NET_ACTIVE_WINDOW), where that is so. The option is stored all the same.
void ExplainIfPasteUnsupported();

// Says why a pick was copied but not pasted, there being no window to paste into: in the
// label's tooltip at every such pick, on standard error once for each absence. Where this desktop
// cannot paste at all, the notice above has said so.
void ExplainNoTarget(QLabel *label, PasteBack::Absence absence);

// Says what came of a paste: nothing when pasted (or replaced by a later pick's); else why not,
// in the label's tooltip, and on standard error the first time.
void ExplainPasteOutcome(QLabel *label, PasteBack::Outcome outcome, const QString &why);

} // namespace pukalo
