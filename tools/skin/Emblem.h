#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// The small pictures that stand for the parts of the encyclopedia on the start page, drawn
// in one colour with the details cut out, so they read on any ground.
namespace Emblem {

enum Kind {
    None,
    Book,      // works
    Quill,     // creators
    Person,    // literary characters
    Hourglass, // epochs
    Mask,      // literary kinds
    Letters,   // terms
    Books,     // genres
    Scroll,    // excerpts
    Film,      // filmography
    Quotes,    // quotations
    Palette,   // Polish art
    Question,  // quiz
    Calendar,  // calendar of events
};

// The emblem in `ink` on a transparent picture of `size`; None gives a transparent picture.
QImage Render(Kind kind, QSize size, const QColor &ink);

} // namespace Emblem
