#pragma once

#include "SkinPainter.h"

#include <QImage>
#include <QList>

// The calendar page's pictures: the large image list of category icons (32 x 32 each, side by
// side, position 15 unused), the category buttons showing those icons, and the search and
// scroll buttons.
namespace CalendarIcons {

inline constexpr int IconSize = 32;
inline constexpr int IconCount = 17;

QImage Icon(int category);
QImage ImageList();
QList<SkinPicture> Pictures();

} // namespace CalendarIcons
