#pragma once

#include <QFrame>
#include <QImage>
#include <QList>

class QLabel;

// The calendar's legend, "Kalendarium - Legenda": the colour of each event type and the icon
// of each category. A popup: it closes on a click outside it.
class TCalendarLegend : public QFrame
{
    Q_OBJECT

public:
    // The least width; it widens until every label is whole in the font it is shown in, and
    // is as high as whole rows need.
    static constexpr int Width = 164;

    explicit TCalendarLegend(QWidget *parent);

    // Takes the category icons from the large image list and the swatches from the type
    // colours.
    void puKalendariumOpen(const QImage &imageList);
    // Opens under `button`, or above it when there is no room below, and inside the screen;
    // moved to the left of `keepClear` rather than cover it.
    void OpenAt(const QWidget *button, const QWidget *keepClear = nullptr);

    // The picture in the row of type 1..4, or of a category number.
    QImage TypeSwatch(int type) const;
    QImage CategoryIcon(int category) const;

private:
    QList<QLabel *> m_swatches; // by type - 1
    QList<QLabel *> m_icons;    // by category number, 15 null
};
