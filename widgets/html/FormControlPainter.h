#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Pictures of form controls in the style of the application, for a text document to show in
// place of the controls it cannot hold.
class FormControlPainter
{
public:
    // The widget lends its style, font and device pixel ratio.
    explicit FormControlPainter(const QWidget &widget) : m_widget(widget) {}

    QImage checkBox(bool checked) const;
    // A push button with the caption; the letter after '&' is the accelerator.
    QImage submitButton(const QString &label) const;

private:
    QImage blankImage(const QSize &size) const;

    const QWidget &m_widget;
};
