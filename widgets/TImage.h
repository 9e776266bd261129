#pragma once

#include <QImage>
#include <QWidget>

// A picture drawn at the widget's top-left corner at its own size, as a panel background or
// an ornament. With auto-size on, the widget takes the size of each picture it is given.
class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    bool m_autoSize = false;
};
