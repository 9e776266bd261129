#include "FolderAnimation.h"

#include <QPainter>
#include <QTimer>

#include <cmath>
#include <numbers>

namespace {
constexpr int Frames = 16;
} // namespace

FolderAnimation::FolderAnimation(QWidget *parent) : QWidget(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(80);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % Frames;
        update();
    });
}

void FolderAnimation::start()
{
    m_timer->start();
}

void FolderAnimation::stop()
{
    m_timer->stop();
}

bool FolderAnimation::isRunning() const
{
    return m_timer->isActive();
}

void FolderAnimation::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width(), h = height();
    // Three folders along the bottom.
    p.setPen(QPen(QColor(120, 90, 20), 1));
    for (int i = 0; i < 3; ++i) {
        const QRectF folder(4 + i * (w - 8) / 3, h * 0.55, (w - 8) / 3 - 4, h * 0.35);
        p.setBrush(QColor(235, 195, 80));
        p.drawRect(folder);
        p.drawRect(QRectF(folder.left(), folder.top() - 4, folder.width() / 2, 4));
    }
    // The beam swings from side to side over them.
    const qreal phase = std::sin(m_frame * 2 * std::numbers::pi / Frames);
    const QPointF torch(w / 2 + phase * (w / 2 - 10), 8);
    const QPointF spot(w / 2 + phase * (w / 2 - 14), h * 0.7);
    QPolygonF beam;
    beam << torch << spot + QPointF(-12, 0) << spot + QPointF(12, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 180, 150));
    p.drawPolygon(beam);
    p.setBrush(QColor(90, 90, 90));
    p.drawEllipse(torch, 5, 5);
}
