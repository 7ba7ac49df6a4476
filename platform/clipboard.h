#pragma once

#include <QString>

namespace pukalo::Clipboard {

// Every write to the system clipboard goes through these two. A clear takes effect when the
// handler that asked for it returns (or at the end of the program), unless a text is set first.
void Clear();
void SetText(const QString &text);
// Puts the text on PRIMARY as well, what terminals paste from: only for a paste into another
// window, so that the user's own selection is otherwise left alone.
void SetPrimary(const QString &text);
// Carries out a clear still waiting.
void Flush();

} // namespace pukalo::Clipboard
