#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace pukalo::Clipboard {

namespace {
bool s_clearPending = false;
} // namespace

// A copy empties the clipboard and sets it a moment later. On X11 each of the two is a change of
// owner, and a compositor's X bridge can trip over the pair (weston's XWayland crashed on it);
// so a clear waits until the handler is done, and a text set meanwhile makes it one change.
void Clear()
{
    if (!s_clearPending)
        QMetaObject::invokeMethod(qGuiApp, &Flush, Qt::QueuedConnection);
    s_clearPending = true;
}

void SetText(const QString &text)
{
    s_clearPending = false;
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void SetPrimary(const QString &text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
}

void Flush()
{
    if (s_clearPending) {
        s_clearPending = false;
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    }
}

} // namespace pukalo::Clipboard
