// wmping WINDOW: sends the window manager's _NET_WM_PING to a window and waits up to a second
// for the program to answer, which it does from its event loop. Exit status 0 when it answered.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const auto window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    auto intern = [c](const char *name) {
        auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return atom;
    };
    const xcb_atom_t protocols = intern("WM_PROTOCOLS");
    const xcb_atom_t ping = intern("_NET_WM_PING");
    // The answer goes to the root window, to whoever listens for structure events there (Qt
    // sends it with StructureNotify and SubstructureRedirect; the latter is the WM's alone).
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);

    const uint32_t stamp = uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = ping;
    message.data.data32[1] = stamp;
    message.data.data32[2] = window;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    xcb_flush(c);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            bool answered = false;
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                auto *reply = reinterpret_cast<xcb_client_message_event_t *>(event);
                answered = reply->type == protocols && reply->data.data32[0] == ping &&
                           reply->data.data32[1] == stamp;
            }
            free(event);
            if (answered)
                return 0;
        }
        if (xcb_connection_has_error(c))
            return 1;
        poll(&fd, 1, 20);
    }
    return 1;
}
