#include "IndexImages.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace IndexImages {

QIcon SmallImage(int index)
{
    // A letter of the category on a colour of its own; 7, 14 and 15 are spare places.
    static const char16_t *const letters[SmallImageCount] = {u"D", u"T", u"E", u"R", u"G", u"S",
                                                             u"W", u"",  u"C", u"F", u"A", u"K",
                                                             u"Q", u"i", u"",  u"",  u"B"};
    if (index < 0 || index >= SmallImageCount)
        return QIcon();
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor::fromHsv((index * 47) % 360, 150, 200));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf16(letters[index]));
    painter.end();
    return QIcon(pixmap);
}

QImage Ornament(bool right)
{
    // A quill-like flourish in the pane's corner, drawn mirrored for the right side.
    QImage image(50, 35, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (right) {
        painter.translate(50, 35);
        painter.scale(-1, -1);
    }
    QPainterPath path;
    path.moveTo(2, 2);
    path.cubicTo(30, 2, 10, 30, 46, 12);
    path.moveTo(2, 2);
    path.cubicTo(4, 20, 20, 8, 14, 32);
    painter.setPen(QPen(QColor(120, 80, 20), 1.6));
    painter.drawPath(path);
    painter.setBrush(QColor(160, 110, 30));
    painter.drawEllipse(QPointF(4, 4), 2.5, 2.5);
    return image;
}

} // namespace IndexImages
