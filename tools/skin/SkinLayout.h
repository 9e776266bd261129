#pragma once

#include "Emblem.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// The Index window's five fixed panels as the skin paints them: which pictures the list names,
// where the buttons sit and what they say. Rectangles are in panel coordinates; the background
// picture covers the panel but for a one-pixel border, so it starts at (1, 1).
namespace SkinLayout {

inline constexpr QSize BackgroundSize(400, 267);
inline constexpr QPoint BackgroundOrigin(1, 1);

struct Button
{
    QString name; // component name, as Imglst.lst gives it
    QRect rect;
    QString label;
    // A button with an emblem shows only the emblem; its label goes on the background, under
    // it. A button without one carries its label on its face.
    Emblem::Kind emblem = Emblem::None;
};

struct Caption
{
    QRect rect;
    QString text;
    int alignment; // Qt::Alignment flags
};

struct Panel
{
    QString background;  // component name of the background image
    QString fileName;    // its picture
    QString glyphSuffix; // a glyph's file is its component's name in lower case with this
    QString title;
    QRect titleRect;
    QString subtitle;
    QRect subtitleRect;
    QList<Caption> captions;
    QList<QRect> trays; // plain ground under the buttons and boxes
    Emblem::Kind ornament = Emblem::None;
    QRect ornamentRect;
    QList<Button> buttons;
};

QList<Panel> Panels();

} // namespace SkinLayout
