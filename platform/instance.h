#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// One Pukalo per user session. A start asks the Pukalo already running to come forward, over the
// session bus through the interface desktops call programs by (org.freedesktop.Application, at
// the desktop id), and ends; where none runs, it takes the desktop id on the bus before it opens
// any window, so that two starts at once make one Pukalo. The bus is the user's own. Without one,
// every start is a Pukalo of its own.
namespace pukalo::Instance {

// What a start asks of Pukalo, and the token its launcher gave it: window managers that keep
// programs from taking the focus let a window come forward with it.
struct Request
{
    std::optional<QString> find; // the search window with these words; else the main window
    QByteArray startupId;        // DESKTOP_STARTUP_ID (X11)
    QByteArray activationToken;  // XDG_ACTIVATION_TOKEN (Wayland)
};

// Hands the request to the running Pukalo: true when it took it. False when this process is to
// be Pukalo: none runs (the desktop id is now this process's), there is no session bus, or the
// one running has not answered within a second (hung or stopped: said once on standard error,
// and the desktop id taken over from it).
bool PassToRunning(const Request &request);

// From now on, the requests of later starts are answered, on the event loop.
void Serve(std::function<void(const Request &)> answer);

} // namespace pukalo::Instance
