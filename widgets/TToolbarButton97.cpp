#include "TToolbarButton97.h"

#include "FocusFrame.h"

#include <QPainter>

void TToolbarButton97::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        FocusFrame::Paint(painter, rect());
    }
}
