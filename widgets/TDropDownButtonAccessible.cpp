#include "TDropDownButtonAccessible.h"

#include <QMenu>
#include <QSet>
#include <QToolButton>

namespace {

QSet<QString> &installedClasses()
{
    static QSet<QString> classes;
    return classes;
}

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!installedClasses().contains(className))
        return nullptr;
    auto *button = qobject_cast<QToolButton *>(object);
    return button ? new TDropDownButtonAccessible(button) : nullptr;
}

} // namespace

TDropDownButtonAccessible::TDropDownButtonAccessible(QToolButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void TDropDownButtonAccessible::Install(const char *className)
{
    if (installedClasses().isEmpty())
        QAccessible::installFactory(factory);
    installedClasses().insert(QString::fromLatin1(className));
}

QToolButton *TDropDownButtonAccessible::button() const
{
    return static_cast<QToolButton *>(widget());
}

QMenu *TDropDownButtonAccessible::menu() const
{
    return button()->menu();
}

QString TDropDownButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        if (!button()->accessibleName().isEmpty())
            return button()->accessibleName();
        return button()->toolTip().isEmpty() ? button()->text() : button()->toolTip();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State TDropDownButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.hasPopup = menu() != nullptr;
    state.pressed = button()->isDown();
    return state;
}

int TDropDownButtonAccessible::childCount() const
{
    return menu() ? 1 : 0;
}

QAccessibleInterface *TDropDownButtonAccessible::child(int index) const
{
    return index == 0 && menu() ? QAccessible::queryAccessibleInterface(menu()) : nullptr;
}

int TDropDownButtonAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && menu() && child->object() == menu() ? 0 : -1;
}

QStringList TDropDownButtonAccessible::actionNames() const
{
    if (!widget()->isEnabled())
        return {};
    return {menu() ? showMenuAction() : pressAction()};
}

void TDropDownButtonAccessible::doAction(const QString &actionName)
{
    if (!widget()->isEnabled())
        return;
    // Queued: the menu runs its own event loop, and the caller is waiting for an answer.
    if (actionName == showMenuAction() && menu())
        QMetaObject::invokeMethod(button(), &QToolButton::showMenu, Qt::QueuedConnection);
    else if (actionName == pressAction())
        QMetaObject::invokeMethod(button(), &QAbstractButton::click, Qt::QueuedConnection);
}
