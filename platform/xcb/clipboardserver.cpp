#include "platform/clipboardserver.h"

#include "platform/xcb/qtconnection.h"
#include "platform/xcb/selection.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QGuiApplication>

namespace pukalo {

namespace {
// Qt would answer a request for STRING with a text that is not Latin-1 by question marks, and
// any unknown target with success. While Pukalo owns the clipboard its requests are answered
// here instead, as the keeper answers them after the exit: only in forms that hold the text
// exactly.
class ExactClipboard : public QAbstractNativeEventFilter
{
public:
    explicit ExactClipboard(xcb_connection_t *c) : m_connection(c), m_atoms(c) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        auto *event = static_cast<xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7F) != XCB_SELECTION_REQUEST)
            return false;
        const auto &request = *reinterpret_cast<xcb_selection_request_event_t *>(event);
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (request.selection != m_atoms.clipboard || !clipboard->ownsClipboard())
            return false;
        const std::optional<selection::Text> text =
            selection::FromUtf8(clipboard->text(QClipboard::Clipboard).toStdString());
        if (!text)
            return false;
        selection::Answer(m_connection, m_atoms, *text, XCB_CURRENT_TIME, request);
        return true;
    }

private:
    xcb_connection_t *m_connection;
    selection::Atoms m_atoms;
};
} // namespace

void ServeClipboardExactly()
{
    if (xcb_connection_t *c = xcb::QtConnection())
        qApp->installNativeEventFilter(new ExactClipboard(c));
}

} // namespace pukalo
