#pragma once

#include <QList>
#include <QRect>

#include <optional>

// Where the frame puts its child windows, in the client area's coordinates. Every rectangle
// starts inside the area, so each child's title bar can be reached.
namespace ChildPlacement {

// A new child that does not open maximised: three quarters of the area, one step below and
// right of the previous child, or back at the area's corner when it would reach past the area.
QRect next(const QRect &area, const std::optional<QRect> &previous, int step);

// `count` children in cascade, the first at the corner, each one step further.
QList<QRect> cascade(const QRect &area, int count, int step);

// `count` children side by side: up to three share the area in one direction (columns or
// rows); more make a grid whose lines run in that direction.
QList<QRect> tile(const QRect &area, int count, bool columns);

} // namespace ChildPlacement
