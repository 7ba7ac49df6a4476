#pragma once

#include <QRect>
#include <span>

namespace pukalo {

// Where a window whose frame is `size` goes beside another window's frame `owner` on a screen's
// free `area`: on a side with room for it, top or bottom aligned, so that it covers nothing of
// the owner; where no side has room, where it covers least of the owner's `clicked` controls
// (then least of the owner), and never `never`. Every rect on the screen, frames included; the
// result lies on the area where the size fits it.
QRect PlaceBeside(QRect owner, QSize size, QRect area, std::span<const QRect> clicked, QRect never);

} // namespace pukalo
