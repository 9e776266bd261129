#pragma once

#include <QAccessibleWidget>

class TLEDDisplay;

// What assistive technology sees of an LED display: a read-only indicator whose value is the
// number shown.
class TLEDDisplayAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TLEDDisplayAccessible(TLEDDisplay *display);

    // Makes the displays answer with this interface; once is enough for the program.
    static void Install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    // The reader cannot change what the display shows.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    TLEDDisplay *display() const;
};
