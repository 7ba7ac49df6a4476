#pragma once

#include <QString>

namespace pukalo::Clipboard {

// Every write to the system clipboard goes through these two.
void Clear();
void SetText(const QString &text);

} // namespace pukalo::Clipboard
