#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// Shows a picture scaled with its proportions kept until it fills the widget in one
// direction, centred in the other, on black.
class TPictureDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit TPictureDisplay(QWidget *parent = nullptr);

    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture; }
    // Where a picture of that size is drawn in an area of that size.
    static QRect FitRect(const QSize &picture, const QSize &area);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    // The picture scaled for the current size, made again when the size changes.
    QPixmap m_scaled;
};
