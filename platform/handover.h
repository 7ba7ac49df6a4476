#pragma once

#include <QByteArray>

// The end of the program: what the user copied stays pasteable after it has gone.
namespace pukalo {

// On a Wayland session (natively or through XWayland) where the compositor keeps no copies of
// its own but lets a program without a window hold the clipboard (wlroots compositors such as
// sway), hands the text to wl-copy, which Wayland and X programs alike can then paste from.
// Gives up within a second.
enum class WlCopyResult
{
    Kept,
    NotNeeded, // no Wayland session, or a compositor without that protocol (GNOME's and KDE's
               // keep the copy themselves), or one that does not answer
    Missing,   // wl-copy is not installed
    Failed,    // wl-copy failed, or did not return in time
};
WlCopyResult HandOverToWlCopy(const QByteArray &text);

// On X11: when Pukalo still owns the clipboard, hands its text to the small pukalo-clipkeep
// process. Waits until the keeper owns the clipboard, but never longer than a second. Says on
// standard error when the copy could not be kept.
void HandOverToKeeper();

// Says on standard error that the copy is lost when the program ends.
void ReportLostCopy(const char *why);

// Ends the process at once, after making sure the X server has every request sent so far.
// Spares the exit Qt's own teardown, which can wait seconds on a clipboard manager.
[[noreturn]] void ExitNow(int status);

} // namespace pukalo
