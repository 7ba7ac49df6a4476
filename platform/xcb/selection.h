// Answers requests for the text on the X clipboard the way Pukalo and its keeper both do: only
// in the forms that hold the text exactly, never a lossy conversion. Plain C++ over xcb, no Qt:
// the keeper links nothing else.
#pragma once

#include <xcb/xcb.h>

#include <optional>
#include <string>

namespace pukalo::selection {

// The text in every form a request may ask for that can hold it.
struct Text
{
    std::string utf8;
    std::optional<std::string> latin1; // only when every character fits ISO 8859-1
    bool ascii = false;
};
// None when the bytes are not well-formed UTF-8.
std::optional<Text> FromUtf8(const std::string &utf8);

struct Atoms
{
    explicit Atoms(xcb_connection_t *c);
    xcb_atom_t clipboard, targets, multiple, timestamp, atomPair, utf8String, textPlainUtf8,
        textPlain, text;
};

// Answers one SelectionRequest for CLIPBOARD: converts the target (each pair of a MULTIPLE
// request) or refuses it, and notifies the requestor. A request for another selection, or from
// before `ownedSince` (the server time the clipboard became ours), is refused. True when served.
bool Answer(xcb_connection_t *c, const Atoms &atoms, const Text &text, xcb_timestamp_t ownedSince,
            const xcb_selection_request_event_t &request);

} // namespace pukalo::selection
