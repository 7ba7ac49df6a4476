// A clipboard manager that never answers: it owns CLIPBOARD_MANAGER, so toolkits that hand
// their clipboard to a manager at exit ask it to save, and then it says nothing. Runs until it
// is killed or the display goes away.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const char *name = "CLIPBOARD_MANAGER";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(c, window, atom->atom, XCB_CURRENT_TIME);
    free(atom);
    xcb_flush(c);
    std::puts("ready");
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(c))
        free(event); // requests to save are read and ignored
    return 0;
}
