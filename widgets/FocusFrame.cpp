#include "FocusFrame.h"

#include <QPainter>

namespace FocusFrame {

void Paint(QPainter &painter, const QRect &buttonRect)
{
    const QRect frame = buttonRect.adjusted(1, 1, -2, -2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(frame);
    painter.restore();
}

} // namespace FocusFrame
