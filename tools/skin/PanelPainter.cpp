#include "PanelPainter.h"

#include "SkinPalette.h"
#include "TextFit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace PanelPainter {

namespace {

using SkinLayout::Panel;

QColor withAlpha(QRgb rgb, int alpha)
{
    QColor colour(rgb);
    colour.setAlpha(alpha);
    return colour;
}

// The inside of the frame, in panel coordinates; nothing is drawn beyond it.
QRectF inside()
{
    return QRectF(SkinLayout::BackgroundOrigin, SkinLayout::BackgroundSize).adjusted(6, 6, -6, -6);
}

void paintGround(QPainter &painter)
{
    const QRectF all(QPointF(0, 0), SkinLayout::BackgroundSize);
    QLinearGradient ground(all.topLeft(), all.bottomLeft());
    ground.setColorAt(0, QColor(SkinPalette::GroundTop));
    ground.setColorAt(1, QColor(SkinPalette::GroundBottom));
    painter.fillRect(all, ground);
    QRadialGradient glow(QPointF(all.width() / 2, 20), all.width() * 0.7);
    glow.setColorAt(0, QColor(255, 226, 160, 26));
    glow.setColorAt(1, QColor(255, 226, 160, 0));
    painter.fillRect(all, glow);
}

void paintTrays(QPainter &painter, const Panel &panel)
{
    QPainterPath trays;
    for (const QRect &tray : panel.trays) {
        QPainterPath one;
        one.addRoundedRect(QRectF(tray).intersected(inside()), 7, 7);
        trays = trays.united(one);
    }
    painter.setPen(QPen(withAlpha(SkinPalette::Gold, 70), 1));
    painter.setBrush(QColor(SkinPalette::Tray));
    painter.drawPath(trays.simplified());
}

void paintOrnament(QPainter &painter, const Panel &panel)
{
    if (panel.ornament == Emblem::None)
        return;
    painter.save();
    painter.setOpacity(0.13);
    painter.drawImage(
        panel.ornamentRect.topLeft(),
        Emblem::Render(panel.ornament, panel.ornamentRect.size(), QColor(SkinPalette::Gold)));
    painter.restore();
}

// A thin gold line with a diamond in its middle.
void paintRule(QPainter &painter, qreal centre, qreal y, qreal halfWidth)
{
    painter.setPen(QPen(withAlpha(SkinPalette::Gold, 170), 1));
    painter.drawLine(QPointF(centre - halfWidth, y), QPointF(centre - 6, y));
    painter.drawLine(QPointF(centre + 6, y), QPointF(centre + halfWidth, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinPalette::Gold));
    painter.drawPolygon(
        QPolygonF({{centre, y - 3}, {centre + 3, y}, {centre, y + 3}, {centre - 3, y}}));
}

void paintTitle(QPainter &painter, const Panel &panel)
{
    const QRectF box = panel.titleRect;
    const TextFit::Fitted title =
        TextFit::Fit(panel.title, TextFit::Serif(qRound(box.height() * 0.8), true), box.size(), 14);
    painter.setPen(QColor(0, 0, 0, 150));
    TextFit::Draw(painter, title, box.translated(1, 2), Qt::AlignCenter);
    painter.setPen(QColor(SkinPalette::Gold));
    TextFit::Draw(painter, title, box, Qt::AlignCenter);
    const qreal width = QFontMetricsF(title.font).horizontalAdvance(panel.title);
    paintRule(painter, box.center().x(), box.bottom() + 3, std::min(box.width(), width + 24) / 2);
}

void paintSubtitle(QPainter &painter, const Panel &panel)
{
    if (panel.subtitle.isEmpty())
        return;
    const QRectF box = panel.subtitleRect;
    painter.setFont(
        TextFit::FitWrapped(panel.subtitle, TextFit::Serif(16, false, true), box.size(), 9));
    painter.setPen(QColor(SkinPalette::Cream));
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, panel.subtitle);
}

void paintCaptions(QPainter &painter, const Panel &panel)
{
    painter.setPen(QColor(SkinPalette::Cream));
    for (const SkinLayout::Caption &caption : panel.captions) {
        const TextFit::Fitted text =
            TextFit::Fit(caption.text, TextFit::Sans(12), QSizeF(caption.rect.size()), 8);
        TextFit::Draw(painter, text, caption.rect, caption.alignment);
    }
}

// Where the names under the emblem buttons go at one font size: each name's ink centred under
// its button and pushed inside the frame. `clear` says that no two names, and no name and a
// button, touch.
struct NamePlaces
{
    QList<QRectF> places;
    bool clear = true;
};

NamePlaces placeNames(const Panel &panel, const QFont &font)
{
    const QFontMetricsF metrics(font);
    NamePlaces names;
    for (const SkinLayout::Button &button : panel.buttons) {
        if (button.emblem == Emblem::None)
            continue;
        const QRectF ink = metrics.tightBoundingRect(button.label);
        QRectF place(0, 0, ink.width(), ink.height());
        place.moveCenter(QPointF(QRectF(button.rect).center().x(), 0));
        place.moveTop(button.rect.bottom() + 2);
        place.moveRight(std::min(place.right(), inside().right() - 2));
        place.moveLeft(std::max(place.left(), inside().left() + 2));
        names.clear = names.clear && place.bottom() <= inside().bottom();
        for (const QRectF &other : std::as_const(names.places))
            names.clear = names.clear && !place.adjusted(-5, -1, 5, 1).intersects(other);
        for (const SkinLayout::Button &other : panel.buttons)
            names.clear =
                names.clear && !place.intersects(QRectF(other.rect).adjusted(0, 0, 0, -0.5));
        names.places.append(place);
    }
    return names;
}

void paintButtonNames(QPainter &painter, const Panel &panel)
{
    constexpr int Largest = 12, Smallest = 7;
    for (int size = Largest; size >= Smallest; --size) {
        const QFont font = TextFit::NarrowSans(size);
        const NamePlaces names = placeNames(panel, font);
        if (!names.clear && size > Smallest)
            continue;
        painter.setFont(font);
        painter.setPen(QColor(SkinPalette::Cream));
        const QFontMetricsF metrics(font);
        int i = 0;
        for (const SkinLayout::Button &button : panel.buttons) {
            if (button.emblem == Emblem::None)
                continue;
            // A place is the box of the name's ink; the text is drawn from its baseline origin.
            const QRectF ink = metrics.tightBoundingRect(button.label);
            painter.drawText(names.places[i++].topLeft() - ink.topLeft(), button.label);
        }
        return;
    }
}

void paintFrame(QPainter &painter)
{
    const QRectF all(QPointF(0, 0), SkinLayout::BackgroundSize);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(SkinPalette::Gold), 1));
    painter.drawRect(all.adjusted(2.5, 2.5, -2.5, -2.5));
    painter.setPen(QPen(withAlpha(SkinPalette::Gold, 140), 1));
    painter.drawRect(all.adjusted(5.5, 5.5, -5.5, -5.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(SkinPalette::PaleGold));
    const qreal in = 4;
    for (const QPointF &corner :
         {QPointF(in, in), QPointF(all.width() - in, in), QPointF(in, all.height() - in),
          QPointF(all.width() - in, all.height() - in)}) {
        painter.drawPolygon(QPolygonF({corner + QPointF(0, -4), corner + QPointF(4, 0),
                                       corner + QPointF(0, 4), corner + QPointF(-4, 0)}));
    }
}

} // namespace

QImage Paint(const Panel &panel)
{
    QImage image(SkinLayout::BackgroundSize, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    paintGround(painter);
    painter.save();
    painter.translate(-SkinLayout::BackgroundOrigin);
    paintTrays(painter, panel);
    paintOrnament(painter, panel);
    paintTitle(painter, panel);
    paintSubtitle(painter, panel);
    paintCaptions(painter, panel);
    paintButtonNames(painter, panel);
    painter.restore();
    paintFrame(painter);
    return image;
}

} // namespace PanelPainter
