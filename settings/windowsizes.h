#pragma once

#include <QSize>
#include <QString>
#include <optional>

// The sizes the user gave resizable windows, kept between runs in the state folder beside the
// history ($XDG_STATE_HOME/Pukalo/NAME-size: "width height"), never in the settings file.
namespace pukalo::WindowSizes {

std::optional<QSize> Read(const QString &name);
// Best effort: a size that cannot be kept is simply not kept.
void Write(const QString &name, QSize size);

} // namespace pukalo::WindowSizes
