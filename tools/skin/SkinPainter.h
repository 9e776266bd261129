#pragma once

#include <QImage>
#include <QList>
#include <QString>

// One picture of the skin and the component of the Index window that shows it.
struct SkinPicture
{
    QString component;
    QString fileName;
    QImage image;
};

// Paints the whole demo skin: for each fixed panel its background, then its buttons' glyphs,
// in the order the panels' layouts give them.
namespace SkinPainter {

QList<SkinPicture> Paint();

} // namespace SkinPainter
