// pukalo-clipkeep: keeps the text Pukalo last copied on the X clipboard after Pukalo has ended.
//
// Pukalo starts it at exit, while Pukalo still owns the CLIPBOARD selection, with the text on
// standard input and the owning window (hex) as the only argument. It takes the selection over
// only if that window still owns it, says so by writing one byte to standard output, and then
// serves the text until another program takes the clipboard or the display goes away. It opens
// no visible window, reads no settings and touches nothing but the X connection.

#include "platform/xcb/selection.h"
#include "platform/xcb/xcbutil.h"

#include <csignal>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {
namespace xcb = pukalo::xcb;
namespace selection = pukalo::selection;

// Nothing of the parent's but the two pipes on 0 and 1 (and /dev/null on 2) stays open.
void closeInheritedDescriptors()
{
    if (DIR *dir = opendir("/proc/self/fd")) {
        std::vector<int> fds;
        const int own = dirfd(dir);
        while (const dirent *entry = readdir(dir)) {
            const int fd = std::atoi(entry->d_name);
            if (fd > 2 && fd != own)
                fds.push_back(fd);
        }
        closedir(dir);
        for (int fd : fds)
            close(fd);
    }
}

std::string readAll(int fd)
{
    std::string data;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, size_t(n));
            if (data.size() > 1 << 20) // far more than any kaomoji; refuse to hoard
                return std::string();
        } else if (n == 0) {
            return data;
        } else if (errno != EINTR) {
            return std::string(); // part of the text is no copy of it
        }
    }
}

// Takes CLIPBOARD over from Pukalo's window, and only from it. Returns the server time of the
// take-over, or XCB_CURRENT_TIME when the clipboard is no longer Pukalo's to give.
xcb_timestamp_t takeOver(xcb_connection_t *c, xcb_atom_t clipboard, xcb_window_t window,
                         xcb_window_t expectedOwner)
{
    // A real server time for the ownership: from a property change on our own window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    while (time == XCB_CURRENT_TIME) {
        const xcb::Reply<xcb_generic_event_t> event(xcb_wait_for_event(c));
        if (!event)
            return XCB_CURRENT_TIME;
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY)
            time = reinterpret_cast<xcb_property_notify_event_t *>(event.get())->time;
    }
    // With the server grabbed, no other program can take the clipboard between the check and
    // the take-over.
    xcb_grab_server(c);
    if (xcb::SelectionOwner(c, clipboard) == expectedOwner)
        xcb_set_selection_owner(c, window, clipboard, time);
    xcb_ungrab_server(c);
    return xcb::SelectionOwner(c, clipboard) == window ? time : XCB_CURRENT_TIME;
}

// Serves the text until another program takes the clipboard or the display goes away.
void serve(xcb_connection_t *c, xcb_window_t window, const selection::Text &text,
           xcb_timestamp_t ownedSince)
{
    const selection::Atoms atoms(c);
    while (const xcb::Reply<xcb_generic_event_t> event{xcb_wait_for_event(c)}) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_CLEAR) {
            const auto *clear = reinterpret_cast<xcb_selection_clear_event_t *>(event.get());
            // Any client can send a SelectionClear; the server says who owns the clipboard.
            if (clear->selection == atoms.clipboard && clear->owner == window &&
                xcb::SelectionOwner(c, atoms.clipboard) != window)
                return; // another program has the clipboard now
        } else if (type == XCB_SELECTION_REQUEST) {
            selection::Answer(c, atoms, text, ownedSince,
                              *reinterpret_cast<xcb_selection_request_event_t *>(event.get()));
        }
    }
}

// The owner window as Pukalo writes it, in hex; zero when the argument is anything else.
xcb_window_t windowArgument(const char *argument)
{
    const size_t length = std::strlen(argument);
    if (length == 0 || length > 8 || std::strspn(argument, "0123456789abcdefABCDEF") != length)
        return 0;
    return xcb_window_t(std::strtoul(argument, nullptr, 16));
}

} // namespace

int main(int argc, char **argv)
{
    closeInheritedDescriptors();
    // Never keep a mount busy; and a Pukalo that has stopped listening must not end the keeper
    // after it has taken the clipboard. Where "/" cannot be entered the folder stays as it is:
    // no reason to lose the copy.
    [[maybe_unused]] const int root = chdir("/");
    std::signal(SIGPIPE, SIG_IGN);
    const xcb_window_t expectedOwner = argc == 2 ? windowArgument(argv[1]) : 0;
    if (expectedOwner == 0)
        return 2;

    const std::optional<selection::Text> text = selection::FromUtf8(readAll(STDIN_FILENO));
    if (!text || text->utf8.empty())
        return 1;
    close(STDIN_FILENO);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return 1;
    }
    // An input-only window that is never mapped: the selection needs an owner window.
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
                      xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    const xcb_timestamp_t time = takeOver(c, xcb::Intern(c, "CLIPBOARD"), window, expectedOwner);
    if (time == XCB_CURRENT_TIME) {
        xcb_disconnect(c);
        return 0;
    }

    // Tell Pukalo it may go; from here on standard output is not needed. A Pukalo that is gone
    // cannot hear it, and the copy is kept all the same.
    const char ready = '1';
    while (write(STDOUT_FILENO, &ready, 1) < 0 && errno == EINTR) {
    }
    // /dev/null takes the pipe's place, so that nothing opened later can become standard output.
    if (const int null = open("/dev/null", O_WRONLY | O_CLOEXEC); null >= 0) {
        while (dup2(null, STDOUT_FILENO) < 0 && errno == EINTR) {
        }
        close(null);
    }

    serve(c, window, *text, time);
    // The display went away or the clipboard passed on: either way, done.
    xcb_disconnect(c);
    return 0;
}
