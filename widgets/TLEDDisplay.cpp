#include "TLEDDisplay.h"

#include "TLEDDisplayAccessible.h"

#include <QAccessible>

TLEDDisplay::TLEDDisplay(QWidget *parent) : QLCDNumber(Digits, parent)
{
    TLEDDisplayAccessible::Install();
    setSegmentStyle(QLCDNumber::Flat);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(0, 255, 0));
    setPalette(colours);
    SetValue(0);
}

void TLEDDisplay::SetValue(int value)
{
    m_value = value;
    // QLCDNumber drops leading zeros of a number; as text they stay.
    display(QStringLiteral("%1").arg(value, Digits, 10, QChar(u'0')));
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, value);
        QAccessible::updateAccessibility(&event);
    }
}
