#pragma once

#include "Emblem.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <functional>

class QPainter;

// A picture button's glyph: its five state images side by side — normal, disabled, pressed,
// held down, under the mouse — each the button's size. Everything around the face is the key
// colour, which the program makes transparent; the face's soft edge is blended with the
// ground the button stands on, so no key colour shows through it.
namespace GlyphStrip {

inline constexpr int StateCount = 5;

// The colours of a face in one state; `offset` moves it, so a pressed face sinks in.
struct Look
{
    QColor top, bottom, border, ink;
    QPoint offset;
};

Look StateLook(int state);

using FacePainter = std::function<void(QPainter &, QSize, const Look &)>;

QImage Paint(QSize size, const QColor &ground, const FacePainter &face);

// A round medallion with an emblem, for the start page.
FacePainter Medallion(Emblem::Kind emblem);
// A framed plate with its label.
FacePainter Plate(const QString &label);

} // namespace GlyphStrip
