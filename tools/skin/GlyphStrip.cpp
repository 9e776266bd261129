#include "GlyphStrip.h"

#include "SkinPalette.h"
#include "TextFit.h"

#include <QPainter>

#include <algorithm>

namespace GlyphStrip {

namespace {

// Copies a painted face into the strip at `left`: covered pixels over the ground, the rest key.
void keyOnto(QImage &strip, int left, const QImage &face, const QColor &ground)
{
    for (int y = 0; y < face.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(face.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(strip.scanLine(y)) + left;
        for (int x = 0; x < face.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            if (alpha < 128) {
                out[x] = SkinPalette::Key;
                continue;
            }
            // The face is premultiplied: what it does not cover is the ground's share.
            const auto over = [alpha](int colour, int groundColour) {
                return std::min(255, colour + groundColour * (255 - alpha) / 255);
            };
            QRgb rgb = qRgb(over(qRed(in[x]), ground.red()), over(qGreen(in[x]), ground.green()),
                            over(qBlue(in[x]), ground.blue()));
            if (rgb == SkinPalette::Key)
                rgb = qRgb(254, 0, 255);
            out[x] = rgb;
        }
    }
}

} // namespace

Look StateLook(int state)
{
    switch (state) {
    case 1: // disabled
        return {QColor(0x4a4e57), QColor(0x33363d), QColor(0x7c7c7c), QColor(0x9c9c9c), {}};
    case 2: // pressed
        return {QColor(0x1b2d52), QColor(0x101b35), QColor(0xa38640), QColor(0xd8caa4), {1, 1}};
    case 3: // held down
        return {QColor(0xe2c676), QColor(0xad8c40), QColor(0xf7e2a2), QColor(0x15213f), {1, 1}};
    case 4: // under the mouse
        return {QColor(0x4a6ba6),
                QColor(0x2c4576),
                QColor(SkinPalette::PaleGold),
                QColor(Qt::white),
                {}};
    default:
        return {QColor(0x30497a),
                QColor(0x1d2e52),
                QColor(SkinPalette::Gold),
                QColor(SkinPalette::Cream),
                {}};
    }
}

QImage Paint(QSize size, const QColor &ground, const FacePainter &face)
{
    QImage strip(size.width() * StateCount, size.height(), QImage::Format_RGB32);
    for (int state = 0; state < StateCount; ++state) {
        QImage layer(size, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        {
            QPainter painter(&layer);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                                   QPainter::SmoothPixmapTransform);
            face(painter, size, StateLook(state));
        }
        keyOnto(strip, state * size.width(), layer, ground);
    }
    // The program takes the colour of this pixel as the transparent one.
    strip.setPixel(0, strip.height() - 1, SkinPalette::Key);
    return strip;
}

FacePainter Medallion(Emblem::Kind emblem)
{
    return [emblem](QPainter &painter, QSize size, const Look &look) {
        const QRectF disc =
            QRectF(1, 1, size.width() - 3, size.height() - 3).translated(look.offset);
        QRadialGradient light(disc.center() - QPointF(disc.width() * 0.2, disc.height() * 0.25),
                              disc.width() * 0.8);
        light.setColorAt(0, look.top);
        light.setColorAt(1, look.bottom);
        painter.setPen(QPen(look.border, 1.5));
        painter.setBrush(light);
        painter.drawEllipse(disc);
        QColor ring = look.border;
        ring.setAlpha(110);
        painter.setPen(QPen(ring, 0.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc.adjusted(2.6, 2.6, -2.6, -2.6));

        const int side = qRound(size.width() * 0.56);
        const QPoint at =
            QPoint((size.width() - 1 - side) / 2, (size.height() - 1 - side) / 2) + look.offset;
        painter.drawImage(at, Emblem::Render(emblem, QSize(side, side), look.ink));
    };
}

FacePainter Plate(const QString &label)
{
    return [label](QPainter &painter, QSize size, const Look &look) {
        const QRectF plate =
            QRectF(0.5, 0.5, size.width() - 2, size.height() - 2).translated(look.offset);
        const qreal radius = size.height() > 25 ? 4.5 : 3.5;
        QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
        shade.setColorAt(0, look.top);
        shade.setColorAt(1, look.bottom);
        painter.setPen(QPen(look.border, 1));
        painter.setBrush(shade);
        painter.drawRoundedRect(plate, radius, radius);
        // A hairline inside the border gives the plate a little depth.
        painter.setPen(QPen(QColor(255, 255, 255, 36), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(plate.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);

        const QRectF box = plate.adjusted(5, 2, -5, -2);
        const int pixelSize = size.height() > 25 ? 15 : 12;
        const TextFit::Fitted text =
            TextFit::Fit(label, TextFit::Serif(pixelSize, true), box.size(), 9, 2);
        painter.setPen(look.ink);
        TextFit::Draw(painter, text, box, Qt::AlignCenter);
    };
}

} // namespace GlyphStrip
