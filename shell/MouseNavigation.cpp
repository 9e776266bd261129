#include "MouseNavigation.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

MouseNavigation::MouseNavigation(QWidget &frame, QAction &back, QAction &forward)
    : QObject(&frame), m_frame(frame), m_back(back), m_forward(forward)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool MouseNavigation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &m_frame)
        return false;
    switch (static_cast<QMouseEvent *>(event)->button()) {
    case Qt::BackButton:
        m_back.trigger();
        return true;
    case Qt::ForwardButton:
        m_forward.trigger();
        return true;
    default:
        return false;
    }
}
