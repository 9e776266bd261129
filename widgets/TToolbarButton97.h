#pragma once

#include <QToolButton>

// A toolbar button that shows a picture and may drop a menu down, as QToolButton does, with a
// focus frame that stays visible on the dark bars of the document windows.
class TToolbarButton97 : public QToolButton
{
    Q_OBJECT

public:
    explicit TToolbarButton97(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
