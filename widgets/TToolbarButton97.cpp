#include "TToolbarButton97.h"

#include "FocusFrame.h"
#include "TDropDownButtonAccessible.h"

#include <QPainter>

TToolbarButton97::TToolbarButton97(QWidget *parent) : QToolButton(parent)
{
    TDropDownButtonAccessible::Install("TToolbarButton97");
}

void TToolbarButton97::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        FocusFrame::Paint(painter, rect());
    }
}
