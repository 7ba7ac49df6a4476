#include "platform/clipboardserver.h"

#include "platform/xcb/pastedtext.h"
#include "platform/xcb/qtconnection.h"
#include "platform/xcb/selection.h"
#include "platform/xcb/xcbutil.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QGuiApplication>
#include <cstring>

namespace pukalo {

namespace {
// Qt would answer a request for STRING with a text that is not Latin-1 by question marks, and
// any unknown target with success. While Pukalo owns the clipboard its requests are answered
// here instead, as the keeper answers them after the exit: only in forms that hold the text
// exactly.
class ExactClipboard : public QAbstractNativeEventFilter
{
public:
    explicit ExactClipboard(xcb_connection_t *c) : m_connection(c), m_atoms(c)
    {
        const char name[] = "XFIXES";
        const xcb::Reply<xcb_query_extension_reply_t> xfixes(
            xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr));
        if (xfixes && xfixes->present)
            m_selectionNotify = uint8_t(xfixes->first_event); // XFixesSelectionNotify is first
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        auto *event = static_cast<xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t")
            return false;
        const uint8_t kind = event->response_type & 0x7F;
        if (m_selectionNotify && kind == m_selectionNotify)
            noteOwnerChange(event);
        if (kind != XCB_SELECTION_REQUEST)
            return false;
        const auto &request = *reinterpret_cast<xcb_selection_request_event_t *>(event);
        QClipboard *clipboard = QGuiApplication::clipboard();
        // CLIPBOARD, and PRIMARY where a paste into another window put the kaomoji there too.
        const bool primary = request.selection == XCB_ATOM_PRIMARY;
        if (primary ? !clipboard->ownsSelection()
                    : request.selection != m_atoms.clipboard || !clipboard->ownsClipboard())
            return false;
        if (m_held && sameClient(request.requestor, m_held->target)) {
            // Answered as the selection stood when the paste's keys were sent.
            const bool served =
                selection::Answer(m_connection, m_atoms, m_held->text,
                                  primary ? m_held->primarySince : m_held->ownedSince, request);
            if (served && request.target != m_atoms.targets &&
                request.target != m_atoms.timestamp) {
                QMetaObject::invokeMethod(qApp, std::move(m_held->fetched), Qt::QueuedConnection);
                m_held.reset();
            }
            return true;
        }
        const std::optional<selection::Text> text = selection::FromUtf8(
            clipboard->text(primary ? QClipboard::Selection : QClipboard::Clipboard).toStdString());
        if (!text)
            return false;
        selection::Answer(m_connection, m_atoms, *text, primary ? m_primarySince : m_ownedSince,
                          request);
        return true;
    }

    bool hold(const QString &text, xcb_window_t target, std::function<void()> fetched)
    {
        std::optional<selection::Text> exact = selection::FromUtf8(text.toStdString());
        if (!exact)
            return false;
        m_held = Held{std::move(*exact), target, m_ownedSince, m_primarySince, std::move(fetched)};
        return true;
    }
    void release() { m_held.reset(); }

private:
    // Qt watches the clipboard's owner through XFixes; the same notice carries the server time
    // at which the clipboard was taken, what TIMESTAMP must answer while it is ours.
    void noteOwnerChange(const xcb_generic_event_t *event)
    {
        struct SelectionNotify // xcb_xfixes_selection_notify_event_t, without linking xfixes
        {
            uint8_t responseType, subtype;
            uint16_t sequence;
            uint32_t window, owner, selection, timestamp, selectionTimestamp;
        };
        SelectionNotify notify;
        std::memcpy(&notify, event, sizeof notify);
        if (notify.selection == m_atoms.clipboard)
            m_ownedSince = notify.selectionTimestamp;
        else if (notify.selection == XCB_ATOM_PRIMARY)
            m_primarySince = notify.selectionTimestamp;
    }

    // Windows of one client share the base of their resource ids: a toolkit asks for the
    // selection from a window of its own, not the one that took the keys.
    bool sameClient(xcb_window_t a, xcb_window_t b) const
    {
        const uint32_t mask = xcb_get_setup(m_connection)->resource_id_mask;
        return (a & ~mask) == (b & ~mask);
    }

    struct Held
    {
        selection::Text text;
        xcb_window_t target;
        xcb_timestamp_t ownedSince, primarySince;
        std::function<void()> fetched;
    };
    xcb_connection_t *m_connection;
    selection::Atoms m_atoms;
    std::optional<Held> m_held;
    uint8_t m_selectionNotify = 0;
    xcb_timestamp_t m_ownedSince = XCB_CURRENT_TIME, m_primarySince = XCB_CURRENT_TIME;
};
ExactClipboard *&server()
{
    static ExactClipboard *instance = nullptr;
    return instance;
}
} // namespace

void ServeClipboardExactly()
{
    // Once the event loop runs: nothing can be copied before the first window is up, and the
    // start-up does not wait for the server's answers meanwhile.
    if (xcb_connection_t *c = xcb::QtConnection())
        QMetaObject::invokeMethod(
            qApp,
            [c] {
                server() = new ExactClipboard(c);
                qApp->installNativeEventFilter(server());
            },
            Qt::QueuedConnection);
}

bool PastedText::Hold(const QString &text, xcb_window_t target, std::function<void()> fetched)
{
    return server() && server()->hold(text, target, std::move(fetched));
}

void PastedText::Release()
{
    if (server())
        server()->release();
}

} // namespace pukalo
