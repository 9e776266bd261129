#pragma once

#include <QIcon>
#include <QImage>

// The Index window's own pictures: the small image list of the tabs and list rows, and the
// preview pane's ornament. The skin file may replace the ornament.
namespace IndexImages {

constexpr int SmallImageCount = 17;
// Picture `index` of the small image list (16 x 16); a null icon outside it.
QIcon SmallImage(int index);
QImage Ornament(bool right);

} // namespace IndexImages
