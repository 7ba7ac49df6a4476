#include "platform/zorder.h"

#include <QWidget>
#include <QWindow>

namespace pukalo {

void SetWindowPos(QWidget *window, InsertAfter insertAfter)
{
    const bool onTop = insertAfter == InsertAfter::Topmost;
    if (QWindow *handle = window->windowHandle()) {
        // Changing the flag on the widget would destroy and re-create the native window (an
        // unmap, a flicker, a new window id, a lost position). On the live QWindow it only
        // changes the window manager state (_NET_WM_STATE_ABOVE on X11); the widget's own
        // flags are kept in step without telling the window system again.
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        window->overrideWindowFlags(handle->flags());
    } else {
        // Not created yet: the flag simply goes into the window it will be created as.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
    if (!window->isVisible())
        window->show();
}

} // namespace pukalo
