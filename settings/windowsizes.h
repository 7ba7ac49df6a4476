#pragma once

#include <QSize>
#include <QString>
#include <optional>

// The sizes the user gave resizable windows, kept between runs in the state folder beside the
// history ($XDG_STATE_HOME/Pukalo/NAME-size: "width height"), never in the settings file.
namespace pukalo::WindowSizes {

std::optional<QSize> Read(const QString &name);
// Keeps the size the window has now, to be written when it closes or the program ends (Write).
void Remember(const QString &name, QSize size);
// Writes the sizes remembered and not written yet. A size that cannot be kept is said once on
// standard error; a file that is not a regular one is left as it is.
void Write();

} // namespace pukalo::WindowSizes
