#include "TPictureDisplay.h"

#include <QPainter>

TPictureDisplay::TPictureDisplay(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
}

void TPictureDisplay::SetPicture(const QImage &picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

QRect TPictureDisplay::FitRect(const QSize &picture, const QSize &area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    // QSize::scaled() works in 64-bit integers and rounds the scaled side down.
    const QSize size = picture.scaled(area, Qt::KeepAspectRatio);
    return {QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size};
}

void TPictureDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect target = FitRect(m_picture.size(), size());
    if (target.isEmpty())
        return;

    // Scaling once per size, with area averaging, looks better when a large picture is made
    // much smaller than scaling on every paint would, and repaints cost only a blit.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = target.size() * ratio;
    if (m_scaled.size() != pixels) {
        m_scaled = QPixmap::fromImage(
            m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(target.topLeft(), m_scaled);
}
