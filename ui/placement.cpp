#include "ui/placement.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace pukalo {

QRect PlaceBeside(QRect owner, QSize size, QRect area, std::span<const QRect> clicked, QRect never)
{
    const int gap = 8;
    const QPoint last(std::max(area.left(), area.right() + 1 - size.width()),
                      std::max(area.top(), area.bottom() + 1 - size.height()));
    auto onArea = [&](QPoint at) {
        return QRect(QPoint(std::clamp(at.x(), area.left(), last.x()),
                            std::clamp(at.y(), area.top(), last.y())),
                     size);
    };
    // Right, left, below, above: the first side with room.
    const QRect sides[] = {
        onArea(QPoint(owner.right() + gap + 1, owner.top())),
        onArea(QPoint(owner.left() - gap - size.width(), owner.top())),
        onArea(QPoint(owner.left(), owner.bottom() + gap + 1)),
        onArea(QPoint(owner.left(), owner.top() - gap - size.height())),
    };
    for (const QRect &side : sides) {
        if (!side.intersects(owner))
            return side;
    }
    // None: of every place on the area (every few pixels), the one that leaves `never` free and
    // covers least of what is clicked, then least of the owner, then lies nearest the right side.
    auto covered = [](const QRect &a, const QRect &b) {
        const QRect both = a.intersected(b);
        return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
    };
    const int step = 4;
    QRect placed = sides[0];
    std::tuple<bool, qint64, qint64, int> least(true, std::numeric_limits<qint64>::max(), 0, 0);
    for (int y = area.top();; y = std::min(y + step, last.y())) {
        for (int x = area.left();; x = std::min(x + step, last.x())) {
            const QRect candidate(QPoint(x, y), size);
            qint64 onClicked = 0;
            for (const QRect &control : clicked)
                onClicked += covered(candidate, control);
            const std::tuple<bool, qint64, qint64, int> cost(
                candidate.intersects(never), onClicked, covered(candidate, owner),
                (candidate.topLeft() - sides[0].topLeft()).manhattanLength());
            if (cost < least) {
                least = cost;
                placed = candidate;
            }
            if (x == last.x())
                break;
        }
        if (y == last.y())
            break;
    }
    return placed;
}

} // namespace pukalo
