#include "HelpClicks.h"

#include "TPulpit.h"

#include <QWidget>

void HelpClicks::watch(QWidget *surface, QWidget *control, QEvent::Type trigger)
{
    m_watched.insert(surface, {control, trigger});
    surface->installEventFilter(this);
}

bool HelpClicks::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = m_watched.constFind(watched);
    if (it == m_watched.constEnd() || event->type() != it->trigger || !it->control)
        return false;
    TPulpit *pulpit = Pulpit();
    if (!pulpit || !pulpit->HelpMode())
        return false;
    pulpit->ShowContextHelp(it->control);
    return true;
}
