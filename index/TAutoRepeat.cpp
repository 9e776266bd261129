#include "TAutoRepeat.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTimer>

namespace {

const char *const TagProperty = "repeatTag";

} // namespace

TAutoRepeat::TAutoRepeat(QTimer *timer, QWidget *area, QObject *parent)
    : QObject(parent), m_timer(timer), m_area(area)
{
    m_timer->stop();
    connect(m_timer, &QTimer::timeout, this, &TAutoRepeat::KalendariumTimerTimer);
}

void TAutoRepeat::AddButton(QAbstractButton *button, int tag)
{
    button->setProperty(TagProperty, tag);
    button->installEventFilter(this);
}

void TAutoRepeat::KalendariumTimerTimer()
{
    m_timer->setInterval(RepeatDelay);
    step();
}

void TAutoRepeat::step()
{
    // A step that fails (a read error) ends the repeat before the error is shown: a timer
    // left running would open another error box under it at every tick.
    auto stopOnError = qScopeGuard([this] { stop(); });
    if (m_tag == -1)
        Q_EMIT Forward();
    else if (m_tag == 1)
        Q_EMIT Back();
    stopOnError.dismiss();
}

void TAutoRepeat::stop()
{
    m_tag = 0;
    m_timer->stop();
}

void TAutoRepeat::mouseDown(QObject *button)
{
    m_tag = button->property(TagProperty).toInt() == -1 ? -1 : 1;
    step();
    m_timer->setInterval(FirstDelay);
    m_timer->start();
}

void TAutoRepeat::mouseMove(QObject *button, const QEvent *event)
{
    const auto *move = static_cast<const QMouseEvent *>(event);
    const QPoint at = m_area->mapFromGlobal(move->globalPosition().toPoint());
    const QWidget *under = m_area->rect().contains(at) ? m_area->childAt(at) : nullptr;
    const bool leftAlone = move->buttons() == Qt::LeftButton && move->modifiers() == Qt::NoModifier;
    if (!under || (leftAlone && under != button))
        stop();
}

bool TAutoRepeat::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        mouseDown(watched);
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::Leave:
        stop();
        break;
    case QEvent::MouseMove:
        mouseMove(watched, event);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
