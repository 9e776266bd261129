#include "ChildPlacement.h"

#include <algorithm>
#include <cmath>

namespace ChildPlacement {

namespace {

QSize childSize(const QRect &area)
{
    return QSize(std::max(1, area.width() * 3 / 4), std::max(1, area.height() * 3 / 4));
}

// The steps a child of `size` can go down and right before it leaves the area.
int stepsThatFit(const QRect &area, const QSize &size, int step)
{
    if (step <= 0)
        return 0;
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    return std::max(0, room / step);
}

} // namespace

QRect next(const QRect &area, const std::optional<QRect> &previous, int step)
{
    const QSize size = childSize(area);
    QPoint at = area.topLeft();
    if (previous) {
        const QPoint below = previous->topLeft() + QPoint(step, step);
        if (area.contains(below) && below.x() + size.width() <= area.right() + 1 &&
            below.y() + size.height() <= area.bottom() + 1)
            at = below;
    }
    return QRect(at, size);
}

QList<QRect> cascade(const QRect &area, int count, int step)
{
    const QSize size = childSize(area);
    const int positions = stepsThatFit(area, size, step) + 1;
    QList<QRect> result;
    for (int i = 0; i < count; ++i) {
        const int k = i % positions;
        result.append(QRect(area.topLeft() + QPoint(k * step, k * step), size));
    }
    return result;
}

QList<QRect> tile(const QRect &area, int count, bool columns)
{
    QList<QRect> result;
    if (count <= 0)
        return result;
    const int lines = count <= 3 ? count : int(std::ceil(std::sqrt(double(count))));
    for (int line = 0; line < lines; ++line) {
        const int inLine = count / lines + (line < count % lines ? 1 : 0);
        for (int k = 0; k < inLine; ++k) {
            if (columns) {
                const int w = area.width() / lines, h = area.height() / inLine;
                result.append(QRect(area.x() + line * w, area.y() + k * h, w, h));
            } else {
                const int w = area.width() / inLine, h = area.height() / lines;
                result.append(QRect(area.x() + k * w, area.y() + line * h, w, h));
            }
        }
    }
    return result;
}

} // namespace ChildPlacement
