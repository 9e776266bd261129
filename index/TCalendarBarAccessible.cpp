#include "TCalendarBarAccessible.h"

#include "TCalendarBar.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == u"TCalendarBar" && object && object->isWidgetType())
        return new TCalendarBarAccessible(static_cast<TCalendarBar *>(object));
    return nullptr;
}

} // namespace

TCalendarBarAccessible::TCalendarBarAccessible(TCalendarBar *bar)
    : QAccessibleWidget(bar, bar->IsLink() ? QAccessible::Link : QAccessible::StaticText)
{
}

void TCalendarBarAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

TCalendarBar *TCalendarBarAccessible::bar() const
{
    return static_cast<TCalendarBar *>(widget());
}

QString TCalendarBarAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return bar()->Name();
    case QAccessible::Description:
        return bar()->Description();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State TCalendarBarAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = bar()->IsLink();
    return state;
}

QStringList TCalendarBarAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (bar()->IsLink())
        names.prepend(pressAction());
    return names;
}

void TCalendarBarAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        bar()->Open();
    else
        QAccessibleWidget::doAction(actionName);
}
