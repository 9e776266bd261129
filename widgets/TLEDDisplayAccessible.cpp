#include "TLEDDisplayAccessible.h"

#include "TLEDDisplay.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == u"TLEDDisplay" && object && object->isWidgetType())
        return new TLEDDisplayAccessible(static_cast<TLEDDisplay *>(object));
    return nullptr;
}

} // namespace

TLEDDisplayAccessible::TLEDDisplayAccessible(TLEDDisplay *display)
    : QAccessibleWidget(display, QAccessible::Indicator)
{
}

void TLEDDisplayAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void *TLEDDisplayAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TLEDDisplayAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(display()->Value());
    return QAccessibleWidget::text(t);
}

QVariant TLEDDisplayAccessible::currentValue() const
{
    return display()->Value();
}

QVariant TLEDDisplayAccessible::maximumValue() const
{
    return 999;
}

QVariant TLEDDisplayAccessible::minimumValue() const
{
    return 0;
}

QVariant TLEDDisplayAccessible::minimumStepSize() const
{
    return 1;
}

TLEDDisplay *TLEDDisplayAccessible::display() const
{
    return static_cast<TLEDDisplay *>(object());
}
