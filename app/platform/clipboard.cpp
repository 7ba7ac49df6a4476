#include "app/platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace pukalo::Clipboard {

void Clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void SetText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

} // namespace pukalo::Clipboard
