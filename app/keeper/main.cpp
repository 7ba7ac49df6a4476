// pukalo-clipkeep: keeps the text Pukalo last copied on the X clipboard after Pukalo has ended.
//
// Pukalo starts it at exit, while Pukalo still owns the CLIPBOARD selection, with the text on
// standard input and the owning window (hex) as the only argument. It takes the selection over
// only if that window still owns it, says so by writing one byte to standard output, and then
// serves the text until another program takes the clipboard or the display goes away. It opens
// no visible window, reads no settings and touches nothing but the X connection.

#include "app/platform/xcbutil.h"

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
        } else if (n == 0 || errno != EINTR) {
            return data;
        }
    }
}

// Decodes UTF-8 into code points; false on any malformed sequence.
bool decodeUtf8(const std::string &in, std::vector<uint32_t> &out)
{
    for (size_t i = 0; i < in.size();) {
        const auto c = uint8_t(in[i]);
        const int extra = c < 0x80           ? 0
                          : (c >> 5) == 0x6  ? 1
                          : (c >> 4) == 0xE  ? 2
                          : (c >> 3) == 0x1E ? 3
                                             : -1;
        if (extra < 0 || i + size_t(extra) + 1 > in.size())
            return false;
        uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto cc = uint8_t(in[i + size_t(k)]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static const uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return true;
}

struct Text
{
    std::string utf8;
    std::string latin1; // only when every character fits ISO 8859-1
    bool hasLatin1 = false;
    bool ascii = false;
};

Text prepare(const std::string &utf8, const std::vector<uint32_t> &codePoints)
{
    Text text{utf8, {}, true, true};
    for (uint32_t cp : codePoints) {
        if (cp > 0xFF) {
            text.hasLatin1 = false;
            text.latin1.clear();
            break;
        }
        text.latin1.push_back(char(cp));
    }
    for (uint32_t cp : codePoints)
        text.ascii = text.ascii && cp < 0x80;
    return text;
}

struct Atoms
{
    explicit Atoms(xcb_connection_t *c)
        : clipboard(xcb::Intern(c, "CLIPBOARD")), targets(xcb::Intern(c, "TARGETS")),
          timestamp(xcb::Intern(c, "TIMESTAMP")), utf8String(xcb::Intern(c, "UTF8_STRING")),
          textPlainUtf8(xcb::Intern(c, "text/plain;charset=utf-8")),
          textPlain(xcb::Intern(c, "text/plain")), text(xcb::Intern(c, "TEXT")),
          stamp(xcb::Intern(c, "_PUKALO_CLIPKEEP_TIME"))
    {
    }
    xcb_atom_t clipboard, targets, timestamp, utf8String, textPlainUtf8, textPlain, text, stamp;
};

// Takes CLIPBOARD over from Pukalo's window, and only from it. Returns the server time of the
// take-over, or XCB_CURRENT_TIME when the clipboard is no longer Pukalo's to give.
xcb_timestamp_t takeOver(xcb_connection_t *c, const Atoms &atoms, xcb_window_t window,
                         xcb_window_t expectedOwner)
{
    // A real server time for the ownership: from a property change on our own window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, atoms.stamp, XCB_ATOM_STRING, 8, 0,
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
    if (xcb::SelectionOwner(c, atoms.clipboard) == expectedOwner)
        xcb_set_selection_owner(c, window, atoms.clipboard, time);
    xcb_ungrab_server(c);
    return xcb::SelectionOwner(c, atoms.clipboard) == window ? time : XCB_CURRENT_TIME;
}

// Stores the answer to one request on the requestor's property; false when the target cannot
// hold the text exactly.
bool answer(xcb_connection_t *c, const Atoms &atoms, const Text &text, xcb_timestamp_t time,
            xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property)
{
    const auto put = [&](xcb_atom_t type, uint8_t format, uint32_t length, const void *data) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, type, format, length,
                            data);
        return true;
    };
    if (target == atoms.targets) {
        std::vector<xcb_atom_t> offered = {atoms.targets, atoms.timestamp, atoms.utf8String,
                                           atoms.textPlainUtf8};
        if (text.hasLatin1)
            offered.insert(offered.end(), {XCB_ATOM_STRING, atoms.text});
        if (text.ascii)
            offered.push_back(atoms.textPlain);
        return put(XCB_ATOM_ATOM, 32, uint32_t(offered.size()), offered.data());
    }
    if (target == atoms.timestamp)
        return put(XCB_ATOM_INTEGER, 32, 1, &time);
    if (target == atoms.utf8String || target == atoms.textPlainUtf8 ||
        (target == atoms.textPlain && text.ascii))
        return put(target, 8, uint32_t(text.utf8.size()), text.utf8.data());
    if ((target == XCB_ATOM_STRING || target == atoms.text) && text.hasLatin1)
        return put(XCB_ATOM_STRING, 8, uint32_t(text.latin1.size()), text.latin1.data());
    return false; // never a lossy conversion: the target cannot hold this text
}

// Serves the text until another program takes the clipboard or the display goes away.
void serve(xcb_connection_t *c, const Atoms &atoms, const Text &text, xcb_timestamp_t time)
{
    while (const xcb::Reply<xcb_generic_event_t> event{xcb_wait_for_event(c)}) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_CLEAR)
            return; // another program has the clipboard now
        if (type != XCB_SELECTION_REQUEST)
            continue;
        const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event.get());
        const xcb_atom_t property =
            request->property == XCB_ATOM_NONE ? request->target : request->property;
        const bool served =
            request->selection == atoms.clipboard &&
            answer(c, atoms, text, time, request->requestor, request->target, property);
        xcb_selection_notify_event_t notify = {};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request->time;
        notify.requestor = request->requestor;
        notify.selection = request->selection;
        notify.target = request->target;
        notify.property = served ? property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&notify));
        xcb_flush(c);
    }
}

} // namespace

int main(int argc, char **argv)
{
    closeInheritedDescriptors();
    if (argc != 2)
        return 2;
    const auto expectedOwner = xcb_window_t(std::strtoul(argv[1], nullptr, 16));

    const std::string utf8 = readAll(STDIN_FILENO);
    std::vector<uint32_t> codePoints;
    if (utf8.empty() || !decodeUtf8(utf8, codePoints))
        return 1;
    const Text text = prepare(utf8, codePoints);
    close(STDIN_FILENO);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const Atoms atoms(c);
    // An input-only window that is never mapped: the selection needs an owner window.
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
                      xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    const xcb_timestamp_t time = takeOver(c, atoms, window, expectedOwner);
    if (time == XCB_CURRENT_TIME)
        return 0;

    // Tell Pukalo it may go; from here on standard output is not needed.
    const char ready = '1';
    [[maybe_unused]] ssize_t written = write(STDOUT_FILENO, &ready, 1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);

    serve(c, atoms, text, time);
    // The display went away or the clipboard passed on: either way, done.
    xcb_disconnect(c);
    return 0;
}
