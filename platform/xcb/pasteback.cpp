#include "platform/pasteback.h"

#include "platform/platformchoice.h"
#include "platform/wayland/nativepaste.h"
#include "platform/xcb/pastedtext.h"
#include "platform/xcb/qtconnection.h"
#include "platform/xcb/xcbutil.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <optional>
#include <utility>

#if defined(PUKALO_HAVE_XTEST)
#include <xcb/xtest.h>
#endif

namespace pukalo::PasteBack {

namespace {
// Long enough for a busy window manager to hand the focus over, short enough that a pick never
// pastes into a window the user has left meanwhile.
constexpr int kActivationLimitMs = 1000;
// How long the next pick waits for a busy window to fetch the one before.
constexpr int kFetchLimitMs = 3000;

// Every resource id a client creates carries the base the server gave its connection.
bool isOurs(xcb_connection_t *c, xcb_window_t window)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    return (window & ~setup->resource_id_mask) == setup->resource_id_base;
}

xcb_window_t activeWindow(xcb_connection_t *c, xcb_atom_t property)
{
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb::Root(c), property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return XCB_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

// Changes what this client hears of a window; said nothing of should it be gone by now.
void listenTo(xcb_connection_t *c, xcb_window_t window, uint32_t mask)
{
    xcb_discard_reply(
        c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask).sequence);
}

// Whether the keyboard focus is in the window itself or in one of its children.
bool focusedIn(xcb_connection_t *c, xcb_window_t window)
{
    const xcb::Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    for (xcb_window_t w = focus ? focus->focus : XCB_NONE; w != XCB_NONE && w != xcb::Root(c);) {
        if (w == window)
            return true;
        const xcb::Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
        w = tree ? tree->parent : XCB_NONE;
    }
    return false;
}

// The first keycode that types this keysym.
std::optional<xcb_keycode_t> keycodeOf(xcb_connection_t *c, xcb_keysym_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const xcb::Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr));
    if (!map)
        return std::nullopt;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int i = 0; i < count * map->keysyms_per_keycode; ++i) {
        if (syms[i] == keysym)
            return xcb_keycode_t(setup->min_keycode + i / map->keysyms_per_keycode);
    }
    return std::nullopt;
}

// Source 2, a pager: the user asked for it, and window managers that keep programs from stealing
// the focus let it through.
void sendActivation(xcb_connection_t *c, xcb_atom_t type, xcb_window_t window)
{
    xcb::SendToWindowManager(c, window, type, {2, XCB_CURRENT_TIME});
}

// Shift+Insert, pressed and let go, as the keyboard would.
bool sendPasteKeys(xcb_connection_t *c)
{
#if defined(PUKALO_HAVE_XTEST)
    const std::optional<xcb_keycode_t> shift = keycodeOf(c, 0xffe1 /* Shift_L */);
    const std::optional<xcb_keycode_t> insert = keycodeOf(c, 0xff63 /* Insert */);
    if (!shift || !insert)
        return false;
    for (auto [type, code] :
         {std::pair{XCB_KEY_PRESS, *shift}, std::pair{XCB_KEY_PRESS, *insert},
          std::pair{XCB_KEY_RELEASE, *insert}, std::pair{XCB_KEY_RELEASE, *shift}})
        xcb_test_fake_input(c, uint8_t(type), code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
    return true;
#else
    Q_UNUSED(c)
    return false;
#endif
}

// Follows _NET_ACTIVE_WINDOW on the root window, and carries out the paste waiting for it.
class Follower : public QAbstractNativeEventFilter
{
public:
    explicit Follower(xcb_connection_t *c)
        : m_c(c),
          m_atoms(xcb::Intern(c, {"_NET_ACTIVE_WINDOW", "_NET_WM_WINDOW_TYPE",
                                  "_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_WM_WINDOW_TYPE_DOCK"})),
          // Under XWayland no X11 window is active while a Wayland one is.
          m_inWaylandSession(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { tryToPaste(); });
        noteActive(true);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        switch (event->response_type & 0x7F) {
        case XCB_PROPERTY_NOTIFY:
            // At once, in the order of the events around it: a window active only until the
            // next event is seen still, and a pick after it goes where the user wrote last.
            if (reinterpret_cast<const xcb_property_notify_event_t *>(event)->atom == m_atoms[0])
                noteActive(false);
            break;
        // Forgotten at once, before any later event (a click, a pick) is handled: by then the
        // window's id may belong to another program's window.
        case XCB_DESTROY_NOTIFY:
            forgetIfTarget(reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window);
            break;
        case XCB_UNMAP_NOTIFY:
            forgetIfTarget(reinterpret_cast<const xcb_unmap_notify_event_t *>(event)->window);
            break;
        }
        return false;
    }

    Absence whyNoTarget() const { return {m_why, m_serial}; }

    // The compositor saw this window take the focus: it is the target, even should the active
    // window have changed again before this program looked (a quick switch under load).
    void takeFromCompositor(xcb_window_t window)
    {
        if (window != XCB_NONE && window != m_target && !isOurs(m_c, window))
            adopt(window);
    }

    // Each pick in turn: the next is pasted once the target has fetched the one before, so that
    // each pastes its own text, once, in order.
    void paste(const QString &text, PasteDone done)
    {
        if (m_target == XCB_NONE)
            return done(Outcome::NoTarget, QString());
        m_queue.push_back({text, std::move(done)});
        if (m_queue.size() == 1)
            startNext();
    }

    void refocus()
    {
        if (m_target == XCB_NONE)
            return;
        sendActivation(m_c, m_atoms[0], m_target);
        NativePaste::FocusX11Window(m_target);
    }

private:
    void noteActive(bool starting)
    {
        const xcb_window_t active = activeWindow(m_c, m_atoms[0]);
        if (active == XCB_NONE && focusIsOurs()) {
            // A window manager handing the focus over says no window is active until the new
            // one has taken it (openbox, as the program's window takes it): not a choice of the
            // user's.
        } else if (active == XCB_NONE) {
            // At the start nothing was written in yet; a window closed stays the reason while
            // nothing else is active, as the user saw it.
            if (starting)
                lose(m_inWaylandSession ? NoTarget::NotX11 : NoTarget::NotYetSeen);
            else if (m_target != XCB_NONE || m_why != NoTarget::Closed)
                lose(m_inWaylandSession ? NoTarget::NotX11 : NoTarget::Desktop);
        } else if (active != m_target && !isOurs(m_c, active)) {
            adopt(active);
        }
        tryToPaste();
    }

    bool focusIsOurs() const
    {
        const xcb::Reply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
        return focus && focus->focus > XCB_INPUT_FOCUS_POINTER_ROOT && isOurs(m_c, focus->focus);
    }

    // Heard of before it is looked at: once the window is seen mapped, its end cannot pass
    // unnoticed.
    void adopt(xcb_window_t window)
    {
        const xcb_window_t old = std::exchange(m_target, XCB_NONE);
        if (old != XCB_NONE)
            listenTo(m_c, old, XCB_EVENT_MASK_NO_EVENT);
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        const xcb_void_cookie_t listening =
            xcb_change_window_attributes_checked(m_c, window, XCB_CW_EVENT_MASK, &mask);
        const xcb_get_window_attributes_cookie_t attributes =
            xcb_get_window_attributes(m_c, window);
        const xcb_get_property_cookie_t type =
            xcb_get_property(m_c, 0, window, m_atoms[1], XCB_ATOM_ATOM, 0, 32);
        const xcb::Reply<xcb_generic_error_t> gone(xcb_request_check(m_c, listening));
        const xcb::Reply<xcb_get_window_attributes_reply_t> state(
            xcb_get_window_attributes_reply(m_c, attributes, nullptr));
        const xcb::Reply<xcb_get_property_reply_t> types(
            xcb_get_property_reply(m_c, type, nullptr));
        if (gone || !state || state->map_state != XCB_MAP_STATE_VIEWABLE)
            return lose(NoTarget::Closed);
        const auto *atoms =
            static_cast<const xcb_atom_t *>(types ? xcb_get_property_value(types.get()) : nullptr);
        const int count = types ? xcb_get_property_value_length(types.get()) / 4 : 0;
        if (window == xcb::Root(m_c) ||
            std::find(atoms, atoms + count, m_atoms[2]) != atoms + count ||
            std::find(atoms, atoms + count, m_atoms[3]) != atoms + count) {
            listenTo(m_c, window, XCB_EVENT_MASK_NO_EVENT);
            return lose(NoTarget::Desktop);
        }
        m_target = window;
        m_why = NoTarget::None;
    }

    void forgetIfTarget(xcb_window_t window)
    {
        if (window == XCB_NONE)
            return;
        if (window == m_pasting)
            m_pasting = XCB_NONE;
        if (window == m_target)
            lose(NoTarget::Closed);
    }

    void lose(NoTarget why)
    {
        if (const xcb_window_t old = std::exchange(m_target, XCB_NONE); old != XCB_NONE)
            listenTo(m_c, old, XCB_EVENT_MASK_NO_EVENT);
        if (std::exchange(m_why, why) != why)
            ++m_serial;
    }

    void startNext()
    {
        m_fetching = false;
        if (m_queue.empty())
            return m_poll.stop();
        m_pasting = m_target;
        if (m_pasting == XCB_NONE)
            return finish(Outcome::NotBack, QStringLiteral("the window was closed"));
        m_elapsed.start();
        sendActivation(m_c, m_atoms[0], m_pasting);
        NativePaste::FocusX11Window(m_pasting);
        m_poll.start();
    }

    // The keys go to the window with the keyboard focus: sent only once the window manager has
    // made the target active and given it the focus. Then the next pick waits until the target
    // has fetched this one's text, or has had its time.
    void tryToPaste()
    {
        if (m_queue.empty())
            return;
        if (m_fetching) {
            if (m_pasting == XCB_NONE || m_elapsed.elapsed() > kFetchLimitMs)
                fetched();
        } else if (m_pasting == XCB_NONE) {
            finish(Outcome::NotBack, QStringLiteral("the window was closed"));
        } else if (activeWindow(m_c, m_atoms[0]) == m_pasting && focusedIn(m_c, m_pasting)) {
            // A fetch heard late, after the limit, is no later pick's.
            const bool held =
                PastedText::Hold(m_queue.front().text, m_pasting, [this, hold = ++m_holds] {
                    if (m_fetching && hold == m_holds)
                        fetched();
                });
            if (!sendPasteKeys(m_c))
                return finish(Outcome::NotBack, QStringLiteral("the X server took no keys"));
            if (auto done = std::exchange(m_queue.front().done, nullptr))
                done(Outcome::Pasted, QString());
            m_fetching = true;
            m_elapsed.start();
            if (!held)
                fetched();
        } else if (m_elapsed.elapsed() > kActivationLimitMs) {
            finish(Outcome::NotBack, QStringLiteral("the window did not become active"));
        }
    }

    void fetched()
    {
        PastedText::Release();
        m_queue.pop_front();
        startNext();
    }

    void finish(Outcome outcome, const QString &why)
    {
        PastedText::Release();
        const auto done = std::move(m_queue.front().done);
        m_queue.pop_front();
        if (done)
            done(outcome, why);
        startNext();
    }

    xcb_connection_t *m_c;
    // _NET_ACTIVE_WINDOW, _NET_WM_WINDOW_TYPE, its DESKTOP and its DOCK
    std::array<xcb_atom_t, 4> m_atoms;
    bool m_inWaylandSession;
    xcb_window_t m_target = XCB_NONE, m_pasting = XCB_NONE;
    NoTarget m_why = NoTarget::NotYetSeen;
    unsigned m_serial = 0;
    std::deque<Pick> m_queue; // the pick being pasted first
    bool m_fetching = false;  // its keys sent, its text not yet fetched
    unsigned m_holds = 0;
    QTimer m_poll;
    QElapsedTimer m_elapsed;
};

Follower *&follower()
{
    static Follower *instance = nullptr;
    return instance;
}
} // namespace

void FollowActiveWindow()
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c || follower())
        return;
    // Added to what Qt already asks of the root window for itself.
    const xcb::Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xcb::Root(c)), nullptr));
    const uint32_t mask =
        (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, xcb::Root(c), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    follower() = new Follower(c);
    qApp->installNativeEventFilter(follower());
    NativePaste::Follow();
}

Support Supported()
{
    xcb_connection_t *c = xcb::QtConnection();
    if (!c)
        return OnNativeWayland() ? Support::NativeWayland : Support::NoWindowManager;
#if defined(PUKALO_HAVE_XTEST)
    const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(c, &xcb_test_id);
    if (!xtest || !xtest->present)
        return Support::NoXTest;
#else
    return Support::NoXTest;
#endif
    if (!xcb::WindowManagerSupports(c, "_NET_ACTIVE_WINDOW"))
        return Support::NoWindowManager;
    return Support::Supported;
}

// On a session whose compositor tells which window had the focus, it knows whether that was one
// under XWayland (the X11 follower's target) or a native one.
Absence WhyNoTarget()
{
    const NativePaste::Focus native = NativePaste::LastFocus();
    if (native.last == NativePaste::Last::X11 && follower())
        follower()->takeFromCompositor(native.x11Window);
    const Absence x11 = follower() ? follower()->whyNoTarget() : Absence{NoTarget::NotYetSeen, 0};
    switch (native.last) {
    case NativePaste::Last::NotFollowing:
    case NativePaste::Last::X11:
        break;
    case NativePaste::Last::Native:
        return {NoTarget::None, x11.serial + native.serial};
    case NativePaste::Last::Nothing:
        return {native.why, x11.serial + native.serial};
    }
    return x11;
}

void PasteIntoTarget(const QString &text, PasteDone done)
{
    if (NativePaste::LastFocus().last == NativePaste::Last::Native)
        return NativePaste::Paste(text, std::move(done));
    if (!follower())
        return done(Outcome::NoTarget, QString());
    follower()->paste(text, std::move(done));
}

void Refocus()
{
    if (NativePaste::LastFocus().last == NativePaste::Last::Native)
        return NativePaste::Refocus();
    if (follower())
        follower()->refocus();
}

} // namespace pukalo::PasteBack
