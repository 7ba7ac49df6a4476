// A small X client for the end-to-end tests.
//   xclient ping WINDOW     sends the window manager's _NET_WM_PING to a window and waits up to
//                           a second for the program's event loop to answer; status 0 if it did.
//   xclient silent-manager  owns CLIPBOARD_MANAGER and never answers, like a clipboard manager
//                           that hangs; prints "ready" and runs until killed.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>

static xcb_connection_t *c;

static xcb_atom_t atom(const char *name)
{
    auto *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
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
