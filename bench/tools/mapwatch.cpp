// mapwatch: starts a program and reports how long it took until its first top-level window was
// mapped and viewable, and the program's peak resident memory at that moment.
//
//   mapwatch [--title TITLE] -- program args...
//   mapwatch --focus WINDOW -- program args...
//
// Prints "<milliseconds> <peak RSS KiB> <pid>" and leaves the program running (the caller ends
// it). Waits at most 20 s. Window ownership is told by _NET_WM_PID, which Qt, GTK and KDE set.
// With --focus, the time until the keyboard focus is in WINDOW (of a program already running,
// which the one started calls forward; the RSS is then -1).
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char **environ;

namespace {
xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    auto *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return atom;
}

std::string property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t atom)
{
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::string value;
    if (r && xcb_get_property_value_length(r) > 0)
        value.assign(static_cast<const char *>(xcb_get_property_value(r)),
                     size_t(xcb_get_property_value_length(r)));
    free(r);
    return value;
}

long peakRssKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Is `w` or one of its children a viewable window of `pid` (with the wanted title)?
bool owned(xcb_connection_t *c, xcb_window_t w, pid_t pid, xcb_atom_t pidAtom, xcb_atom_t nameAtom,
           const std::string &title, int depth = 0)
{
    const std::string p = property(c, w, pidAtom);
    if (p.size() == 4 && *reinterpret_cast<const uint32_t *>(p.data()) == uint32_t(pid)) {
        auto *attr = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
        const bool viewable = attr && attr->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attr);
        if (viewable && (title.empty() || property(c, w, nameAtom) == title))
            return true;
    }
    if (depth > 2)
        return false;
    auto *tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
    bool found = false;
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i)
            found = owned(c, children[i], pid, pidAtom, nameAtom, title, depth + 1);
    }
    free(tree);
    return found;
}
} // namespace

int main(int argc, char **argv)
{
    std::string title;
    xcb_window_t focusWindow = XCB_NONE;
    int i = 1;
    for (; i < argc && strcmp(argv[i], "--") != 0; ++i) {
        if (strcmp(argv[i], "--title") == 0 && i + 1 < argc)
            title = argv[++i];
        else if (strcmp(argv[i], "--focus") == 0 && i + 1 < argc)
            focusWindow = xcb_window_t(std::strtoul(argv[++i], nullptr, 0));
    }
    if (i + 1 >= argc)
        return 2;
    char **command = argv + i + 1;

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pidAtom = intern(c, "_NET_WM_PID");
    const xcb_atom_t nameAtom = intern(c, "_NET_WM_NAME");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    // The program's output must not hold the caller's pipe open after this watcher has ended.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid, command[0], &files, nullptr, command, environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return 1;

    const auto deadline = start + std::chrono::seconds(20);
    const auto elapsedMs = [start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    // Asked every half millisecond: the focus moves without an event sent to this client.
    while (focusWindow != XCB_NONE && std::chrono::steady_clock::now() < deadline) {
        auto *focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        const bool there = focus && focus->focus == focusWindow;
        free(focus);
        if (there) {
            std::printf("%.1f -1 %d\n", elapsedMs(), int(pid));
            return 0;
        }
        usleep(500);
    }
    pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const uint8_t type = event->response_type & 0x7F;
            xcb_window_t window = XCB_NONE;
            if (type == XCB_MAP_NOTIFY)
                window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
            free(event);
            if (window != XCB_NONE && owned(c, window, pid, pidAtom, nameAtom, title)) {
                std::printf("%.1f %ld %d\n", elapsedMs(), peakRssKiB(pid), int(pid));
                return 0;
            }
        }
        poll(&fd, 1, 50);
    }
    std::printf("timeout -1 %d\n", int(pid));
    return 3;
}
