#pragma once

#include <QImage>
#include <QWidget>

// A picture drawn at the widget's top-left corner at its own size, as a panel background or
// an ornament.
class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};
