// A small X client for the end-to-end tests.
//   xclient ping WINDOW     sends the window manager's _NET_WM_PING to a window and waits up to
//                           a second for the program's event loop to answer; status 0 if it did.
//   xclient silent-manager  owns CLIPBOARD_MANAGER and never answers, like a clipboard manager
//                           that hangs; prints "ready" and runs until killed.
//   xclient multiple T...   asks for the clipboard as MULTIPLE with these targets and prints,
//                           per target, what came back or "refused"; with "at-time-1" first,
//                           the request carries that long-past server time.
//   xclient forge-clear S   tells the clipboard's owner, falsely, that it lost selection S.
#include "platform/xcb/xcbutil.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <vector>

namespace xcb = pukalo::xcb;

static xcb_connection_t *c;

static xcb_atom_t atom(const char *name)
{
    return xcb::Intern(c, name);
}

static int ping(xcb_window_t window, xcb_window_t root)
{
    // The answer goes to the root window, to whoever listens for structure events there.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const auto stamp = uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("_NET_WM_PING");
    message.data.data32[1] = stamp;
    message.data.data32[2] = window;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    xcb_flush(c);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline && !xcb_connection_has_error(c)) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            auto *reply = reinterpret_cast<xcb_client_message_event_t *>(event);
            const bool answered = (event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                                  reply->type == message.type && reply->data.data32[1] == stamp;
            free(event);
            if (answered)
                return 0;
        }
        poll(&fd, 1, 20);
    }
    return 1;
}

static std::string propertyText(xcb_window_t window, xcb_atom_t property)
{
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 1, window, property, XCB_ATOM_ANY, 0, 1 << 16), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return "refused";
    return {static_cast<const char *>(xcb_get_property_value(reply.get())),
            size_t(xcb_get_property_value_length(reply.get()))};
}

static int multiple(xcb_window_t window, char **first, char **last)
{
    const bool early = first != last && std::string(*first) == "at-time-1";
    std::vector<xcb_atom_t> pairs;
    for (char **target = first + early; target != last; ++target)
        pairs.insert(pairs.end(),
                     {atom(*target), atom(("PAIR_" + std::to_string(pairs.size())).c_str())});
    const xcb_atom_t property = atom("PUKALO_TEST_MULTIPLE");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, atom("ATOM_PAIR"), 32,
                        uint32_t(pairs.size()), pairs.data());
    xcb_convert_selection(c, window, atom("CLIPBOARD"), atom("MULTIPLE"), property, early ? 1 : 0);
    xcb_flush(c);
    while (const xcb::Reply<xcb_generic_event_t> event{xcb_wait_for_event(c)}) {
        if ((event->response_type & 0x7F) != XCB_SELECTION_NOTIFY)
            continue;
        if (reinterpret_cast<xcb_selection_notify_event_t *>(event.get())->property ==
            XCB_ATOM_NONE)
            return std::puts("refused"), 1;
        const std::string answered = propertyText(window, property);
        const auto *back = reinterpret_cast<const xcb_atom_t *>(answered.data());
        for (size_t i = 0; i + 1 < pairs.size() && 4 * i + 8 <= answered.size(); i += 2)
            std::printf("%s: %s\n", first[early + i / 2],
                        back[i + 1] == XCB_ATOM_NONE ? "refused"
                                                     : propertyText(window, pairs[i + 1]).c_str());
        return 0;
    }
    return 2;
}

int main(int argc, char **argv)
{
    c = xcb_connect(nullptr, nullptr);
    if (argc < 2 || xcb_connection_has_error(c))
        return 2;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::string command = argv[1];
    if (command == "ping" && argc == 3)
        return ping(xcb_window_t(std::strtoul(argv[2], nullptr, 0)), screen->root);
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (command == "multiple")
        return multiple(window, argv + 2, argv + argc);
    if (command == "forge-clear" && argc == 3) {
        xcb_selection_clear_event_t clear = {};
        clear.response_type = XCB_SELECTION_CLEAR;
        clear.owner = xcb::SelectionOwner(c, atom("CLIPBOARD"));
        clear.selection = atom(argv[2]);
        const auto sent = xcb_send_event_checked(c, 0, clear.owner, XCB_EVENT_MASK_NO_EVENT,
                                                 reinterpret_cast<char *>(&clear));
        return xcb::Reply<xcb_generic_error_t>(xcb_request_check(c, sent)) ? 1 : 0;
    }
    if (command != "silent-manager")
        return 2;
    xcb_set_selection_owner(c, window, atom("CLIPBOARD_MANAGER"), XCB_CURRENT_TIME);
    xcb_flush(c);
    std::puts("ready");
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(c))
        free(event); // requests to save are read and ignored
    return 0;
}
