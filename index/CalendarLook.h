#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// What the calendar page shows for an event's type and category: the bar colours, the
// labels of the filter buttons and the legend, and the category icons.
namespace CalendarLook {

constexpr int TypeCount = 4;
constexpr int CategoryButtonCount = 16;
constexpr int IconSize = 32;
// The large image list: one 32 x 32 icon per category number; position 15 is unused.
constexpr int IconCount = 17;

// The bar colour of event type 1..4; black for any other.
QColor TypeColour(int type);
QString TypeLabel(int type);

// Category button 1..16 stands for this category number: 0..14, then 16.
int ButtonCategory(int button);
QString CategoryButtonLabel(int category);
QString CategoryLegendLabel(int category);

// Icon `position` of the large image list given as a strip of icons side by side; a null
// image outside the strip.
QImage Icon(const QImage &imageList, int position);

// The legend's swatch of a type: its colour, 32 x 32.
QImage TypeSwatch(int type);

} // namespace CalendarLook
