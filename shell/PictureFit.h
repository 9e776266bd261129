#pragma once

#include <QRect>
#include <QSize>

// Where a picture goes when it is printed on one page: as large as the page allows with its
// proportions kept, touching two opposite edges and centred between the other two.
namespace PictureFit {

// In page pixels, from the page's top-left corner; an empty rectangle when the picture has no
// width or no height. Sides and offsets are rounded to the nearest pixel, halves away from zero.
QRect OnPage(const QSize &picture, const QSize &page);

} // namespace PictureFit
