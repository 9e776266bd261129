#include "Emblem.h"

#include "TextFit.h"

#include <QPainter>
#include <QPainterPath>

namespace Emblem {

namespace {

// Every emblem is drawn on a 100 × 100 grid. `ink` fills, `cut` erases what was filled.
class Drawing
{
public:
    Drawing(QPainter &painter, const QColor &ink) : m_painter(painter), m_ink(ink) {}

    void ink(const QPainterPath &path) { fill(path, QPainter::CompositionMode_SourceOver); }
    void cut(const QPainterPath &path) { fill(path, QPainter::CompositionMode_DestinationOut); }
    void inkLine(QPointF from, QPointF to, qreal width)
    {
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painter.setPen(QPen(m_ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.drawLine(from, to);
        m_painter.setPen(Qt::NoPen);
    }
    void cutLine(QPointF from, QPointF to, qreal width)
    {
        m_painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        m_painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
        m_painter.drawLine(from, to);
        m_painter.setPen(Qt::NoPen);
    }
    void inkOutline(const QPainterPath &path, qreal width)
    {
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painter.setPen(QPen(m_ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(path);
        m_painter.setPen(Qt::NoPen);
    }
    void inkText(const QString &text, const QFont &font, const QRectF &box)
    {
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painter.setFont(font);
        m_painter.setPen(m_ink);
        m_painter.drawText(box, Qt::AlignCenter, text);
        m_painter.setPen(Qt::NoPen);
    }

private:
    void fill(const QPainterPath &path, QPainter::CompositionMode mode)
    {
        m_painter.setCompositionMode(mode);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(mode == QPainter::CompositionMode_SourceOver ? m_ink
                                                                        : QColor(Qt::black));
        m_painter.drawPath(path);
    }

    QPainter &m_painter;
    QColor m_ink;
};

QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

QPainterPath ellipse(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addEllipse(QRectF(x, y, w, h));
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void book(Drawing &d)
{
    QPainterPath left;
    left.moveTo(48, 26);
    left.cubicTo(36, 17, 20, 17, 6, 23);
    left.lineTo(6, 80);
    left.cubicTo(20, 74, 36, 74, 48, 83);
    left.closeSubpath();
    d.ink(left);
    d.ink(QTransform(-1, 0, 0, 1, 100, 0).map(left));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 38 + i * 13;
        d.cutLine({15, y - 3}, {39, y}, 5);
        d.cutLine({61, y}, {85, y - 3}, 5);
    }
}

void quill(Drawing &d)
{
    QPainterPath feather;
    feather.moveTo(90, 6);
    feather.cubicTo(52, 10, 26, 38, 24, 74);
    feather.cubicTo(44, 68, 74, 46, 90, 6);
    feather.closeSubpath();
    d.ink(feather);
    d.cutLine({82, 16}, {32, 68}, 5);
    d.inkLine({26, 72}, {12, 92}, 8);
}

void person(Drawing &d)
{
    d.ink(ellipse(32, 8, 36, 36));
    QPainterPath shoulders;
    shoulders.moveTo(12, 94);
    shoulders.cubicTo(12, 64, 30, 52, 50, 52);
    shoulders.cubicTo(70, 52, 88, 64, 88, 94);
    shoulders.closeSubpath();
    d.ink(shoulders);
}

void hourglass(Drawing &d)
{
    d.ink(rect(16, 4, 68, 10, 3));
    d.ink(rect(16, 86, 68, 10, 3));
    d.inkOutline(polygon({{26, 14},
                          {74, 14},
                          {74, 24},
                          {54, 47},
                          {54, 53},
                          {74, 76},
                          {74, 86},
                          {26, 86},
                          {26, 76},
                          {46, 53},
                          {46, 47},
                          {26, 24}}),
                 6);
    d.ink(polygon({{35, 80}, {65, 80}, {50, 62}}));
    d.ink(polygon({{38, 27}, {62, 27}, {50, 41}}));
}

void mask(Drawing &d)
{
    QPainterPath face;
    face.moveTo(10, 18);
    face.cubicTo(30, 8, 70, 8, 90, 18);
    face.cubicTo(92, 58, 74, 90, 50, 94);
    face.cubicTo(26, 90, 8, 58, 10, 18);
    d.ink(face);
    QPainterPath eyes;
    eyes.addEllipse(QRectF(24, 34, 20, 13));
    eyes.addEllipse(QRectF(56, 34, 20, 13));
    d.cut(eyes);
    QPainterPath mouth;
    mouth.moveTo(30, 62);
    mouth.quadTo(50, 82, 70, 62);
    mouth.quadTo(50, 72, 30, 62);
    d.cut(mouth);
}

void letters(Drawing &d)
{
    d.inkText(QStringLiteral("Aa"), TextFit::Serif(62, true), QRectF(0, 0, 100, 96));
}

void books(Drawing &d)
{
    const QRectF spines[] = {{8, 70, 84, 22}, {16, 44, 72, 22}, {4, 18, 78, 22}};
    for (const QRectF &r : spines) {
        d.ink(rect(r.x(), r.y(), r.width(), r.height(), 4));
        d.cut(rect(r.right() - 18, r.y() + 4, 5, r.height() - 8));
    }
}

void scroll(Drawing &d)
{
    d.ink(rect(20, 18, 60, 64));
    d.ink(rect(10, 8, 80, 16, 8));
    d.ink(rect(10, 76, 80, 16, 8));
    for (int i = 0; i < 3; ++i)
        d.cut(rect(30, 34 + i * 13, 40, 5));
}

void film(Drawing &d)
{
    d.ink(rect(14, 6, 72, 88, 5));
    for (int i = 0; i < 6; ++i) {
        d.cut(rect(19, 11 + i * 14, 9, 8, 1.5));
        d.cut(rect(72, 11 + i * 14, 9, 8, 1.5));
    }
    d.cut(rect(34, 14, 32, 32, 2));
    d.cut(rect(34, 54, 32, 32, 2));
}

void quotes(Drawing &d)
{
    // Two closing quotation marks: a round head and a tail curving down to the left.
    for (const qreal x : {30.0, 68.0}) {
        d.ink(ellipse(x - 15, 20, 30, 30));
        QPainterPath tail;
        tail.moveTo(x + 15, 35);
        tail.cubicTo(x + 16, 58, x + 2, 74, x - 16, 82);
        tail.lineTo(x - 19, 75);
        tail.cubicTo(x - 6, 68, x + 1, 58, x, 46);
        tail.closeSubpath();
        d.ink(tail);
    }
}

void palette(Drawing &d)
{
    QPainterPath board;
    board.moveTo(50, 8);
    board.cubicTo(80, 8, 96, 28, 96, 50);
    board.cubicTo(96, 68, 84, 74, 72, 70);
    board.cubicTo(60, 66, 58, 80, 62, 86);
    board.cubicTo(66, 94, 56, 96, 48, 96);
    board.cubicTo(22, 96, 4, 74, 4, 50);
    board.cubicTo(4, 26, 24, 8, 50, 8);
    d.ink(board);
    d.cut(ellipse(30, 66, 14, 12));
    for (const QPointF &c : {QPointF(26, 44), QPointF(38, 24), QPointF(60, 22), QPointF(78, 40)})
        d.cut(ellipse(c.x() - 7, c.y() - 7, 14, 14));
}

void question(Drawing &d)
{
    d.inkText(QStringLiteral("?"), TextFit::Serif(100, true), QRectF(0, -4, 100, 104));
}

void calendar(Drawing &d)
{
    d.ink(rect(8, 14, 84, 80, 7));
    d.cut(rect(15, 34, 70, 53, 2));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            d.ink(rect(19 + column * 16.5, 38 + row * 16, 12, 12, 1.5));
    }
    d.cut(rect(24, 4, 14, 22, 5));
    d.cut(rect(62, 4, 14, 22, 5));
    d.ink(rect(27, 4, 8, 20, 4));
    d.ink(rect(65, 4, 8, 20, 4));
}

} // namespace

QImage Render(Kind kind, QSize size, const QColor &ink)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size.width() / 100.0, size.height() / 100.0);
    Drawing d(painter, ink);
    switch (kind) {
    case None:
        break;
    case Book:
        book(d);
        break;
    case Quill:
        quill(d);
        break;
    case Person:
        person(d);
        break;
    case Hourglass:
        hourglass(d);
        break;
    case Mask:
        mask(d);
        break;
    case Letters:
        letters(d);
        break;
    case Books:
        books(d);
        break;
    case Scroll:
        scroll(d);
        break;
    case Film:
        film(d);
        break;
    case Quotes:
        quotes(d);
        break;
    case Palette:
        palette(d);
        break;
    case Question:
        question(d);
        break;
    case Calendar:
        calendar(d);
        break;
    }
    return image;
}

} // namespace Emblem
