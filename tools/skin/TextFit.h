#pragma once

#include <QFont>
#include <QRectF>
#include <QStringList>

class QPainter;

// Fonts of the skin, and fitting a label into the box it has.
namespace TextFit {

QFont Serif(int pixelSize, bool bold = false, bool italic = false);
QFont Sans(int pixelSize, bool bold = false);
QFont NarrowSans(int pixelSize);

struct Fitted
{
    QFont font;
    QStringList lines;
};

// The largest size from `font`'s own down to `minimumPixelSize` at which `text` fits `box`, on
// one line or, if `maximumLines` allows, broken at the space nearest its middle. Below that
// the text stays on one line at the smallest size.
Fitted Fit(const QString &text, QFont font, QSizeF box, int minimumPixelSize, int maximumLines = 1);

// The largest size, down to `minimumPixelSize`, at which `text` wrapped at spaces fits `box`.
QFont FitWrapped(const QString &text, QFont font, QSizeF box, int minimumPixelSize);

void Draw(QPainter &painter, const Fitted &fitted, const QRectF &box, int alignment);

} // namespace TextFit
