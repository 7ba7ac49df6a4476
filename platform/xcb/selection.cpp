#include "platform/xcb/selection.h"

#include "platform/xcb/xcbutil.h"

#include <cstdint>
#include <vector>

namespace pukalo::selection {

namespace {
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

// Stores the text on the requestor's property in the form the target names; false when the
// target cannot hold it exactly.
bool convert(xcb_connection_t *c, const Atoms &atoms, const Text &text, xcb_timestamp_t ownedSince,
             xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property)
{
    const auto put = [&](xcb_atom_t type, uint8_t format, size_t length, const void *data) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, type, format,
                            uint32_t(length), data);
        return true;
    };
    if (target == atoms.targets) {
        std::vector<xcb_atom_t> offered = {atoms.targets, atoms.multiple, atoms.timestamp,
                                           atoms.utf8String, atoms.textPlainUtf8};
        if (text.latin1)
            offered.insert(offered.end(), {XCB_ATOM_STRING, atoms.text});
        if (text.ascii)
            offered.push_back(atoms.textPlain);
        return put(XCB_ATOM_ATOM, 32, offered.size(), offered.data());
    }
    if (target == atoms.timestamp)
        return put(XCB_ATOM_INTEGER, 32, 1, &ownedSince);
    if (target == atoms.utf8String || target == atoms.textPlainUtf8 ||
        (target == atoms.textPlain && text.ascii))
        return put(target, 8, text.utf8.size(), text.utf8.data());
    if ((target == XCB_ATOM_STRING || target == atoms.text) && text.latin1)
        return put(XCB_ATOM_STRING, 8, text.latin1->size(), text.latin1->data());
    return false;
}

// ICCCM's MULTIPLE: the property holds (target, property) pairs; each is converted in turn, and
// a pair that cannot be has its property replaced by None.
bool convertMultiple(xcb_connection_t *c, const Atoms &atoms, const Text &text,
                     xcb_timestamp_t ownedSince, xcb_window_t requestor, xcb_atom_t property)
{
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, requestor, property, atoms.atomPair, 0, 1 << 16), nullptr));
    if (!reply || reply->format != 32 || reply->type != atoms.atomPair)
        return false;
    const auto *data = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    std::vector<xcb_atom_t> pairs(data,
                                  data + (xcb_get_property_value_length(reply.get()) / 8) * 2);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        const bool ok = pairs[i] != atoms.multiple && pairs[i + 1] != XCB_ATOM_NONE &&
                        convert(c, atoms, text, ownedSince, requestor, pairs[i], pairs[i + 1]);
        if (!ok)
            pairs[i + 1] = XCB_ATOM_NONE;
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, atoms.atomPair, 32,
                        uint32_t(pairs.size()), pairs.data());
    return true;
}
} // namespace

std::optional<Text> FromUtf8(const std::string &utf8)
{
    std::vector<uint32_t> codePoints;
    if (!decodeUtf8(utf8, codePoints))
        return std::nullopt;
    Text text{utf8, std::string(), true};
    for (uint32_t cp : codePoints) {
        if (cp > 0xFF)
            text.latin1.reset();
        else if (text.latin1)
            text.latin1->push_back(char(cp));
        text.ascii = text.ascii && cp < 0x80;
    }
    return text;
}

Atoms::Atoms(xcb_connection_t *c)
{
    const char *const names[] = {"CLIPBOARD",
                                 "TARGETS",
                                 "MULTIPLE",
                                 "TIMESTAMP",
                                 "ATOM_PAIR",
                                 "UTF8_STRING",
                                 "text/plain;charset=utf-8",
                                 "text/plain",
                                 "TEXT"};
    const auto atoms = xcb::Intern(c, names);
    clipboard = atoms[0], targets = atoms[1], multiple = atoms[2], timestamp = atoms[3];
    atomPair = atoms[4], utf8String = atoms[5], textPlainUtf8 = atoms[6], textPlain = atoms[7];
    text = atoms[8];
}

bool Answer(xcb_connection_t *c, const Atoms &atoms, const Text &text, xcb_timestamp_t ownedSince,
            const xcb_selection_request_event_t &request)
{
    // Obsolete clients send no property; the target then names it.
    const xcb_atom_t property =
        request.property == XCB_ATOM_NONE ? request.target : request.property;
    const bool early = request.time != XCB_CURRENT_TIME && ownedSince != XCB_CURRENT_TIME &&
                       int32_t(request.time - ownedSince) < 0;
    bool served = false;
    if ((request.selection == atoms.clipboard || request.selection == XCB_ATOM_PRIMARY) && !early) {
        served =
            request.target == atoms.multiple
                ? request.property != XCB_ATOM_NONE &&
                      convertMultiple(c, atoms, text, ownedSince, request.requestor, property)
                : convert(c, atoms, text, ownedSince, request.requestor, request.target, property);
    }
    xcb_selection_notify_event_t notify = {};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = served ? property : xcb_atom_t(XCB_ATOM_NONE);
    xcb_send_event(c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&notify));
    xcb_flush(c);
    return served;
}

} // namespace pukalo::selection
