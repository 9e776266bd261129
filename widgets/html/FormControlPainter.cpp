#include "FormControlPainter.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace {

// The controls keep the application's standard look, whatever colours the page has.
QStyleOptionButton buttonOption(const QWidget &widget)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled;
    return option;
}

} // namespace

QImage FormControlPainter::blankImage(const QSize &size) const
{
    const qreal ratio = m_widget.devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QImage FormControlPainter::checkBox(bool checked) const
{
    const QStyle *style = m_widget.style();
    QStyleOptionButton option = buttonOption(m_widget);
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &option, &m_widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &option, &m_widget));
    option.rect = QRect(QPoint(0, 0), size);
    option.state |= checked ? QStyle::State_On : QStyle::State_Off;

    QImage image = blankImage(size);
    QPainter painter(&image);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &m_widget);
    return image;
}

QImage FormControlPainter::submitButton(const QString &label) const
{
    const QStyle *style = m_widget.style();
    QStyleOptionButton option = buttonOption(m_widget);
    option.state |= QStyle::State_Raised;
    option.text = label;
    const QSize textSize = option.fontMetrics.size(Qt::TextShowMnemonic, label);
    const QSize size = style->sizeFromContents(QStyle::CT_PushButton, &option, textSize, &m_widget);
    option.rect = QRect(QPoint(0, 0), size);

    QImage image = blankImage(size);
    QPainter painter(&image);
    painter.setFont(m_widget.font());
    style->drawControl(QStyle::CE_PushButton, &option, &painter, &m_widget);
    return image;
}
