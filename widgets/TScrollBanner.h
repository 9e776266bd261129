#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// One line of text scrolling right to left: rendered once into a pixmap when set, moved one
// pixel every 11 ticks, starting again at the right edge when it has left on the left.
//
// The restart position is the banner's width at the time the text is set, so give the banner
// its width before setting the text. The centring follows the banner's height, which may
// change afterwards.
class TScrollBanner : public QWidget
{
    Q_OBJECT

public:
    explicit TScrollBanner(QWidget *parent = nullptr);

    // Arial 12 point, bold and italic.
    static QFont BannerFont();
    // Height of the sample "Ohamburgerofons" in the banner font.
    static int SampleTextHeight();
    // Where the text's baseline lies in that height.
    static int Baseline();

    // An empty text stops the banner and leaves it empty; another gets a blank appended
    // unless it ends with one.
    void SetText(const QString &text);
    QString Text() const;
    // Renders the text again in the new colour if it is running; it keeps its place.
    void SetTextColor(const QColor &color);
    QColor TextColor() const { return m_textColor; }
    // One tick; returns whether the text moved.
    bool Tick();
    // Where the text is drawn now (for tests): x, and the centring y.
    QPoint TextPosition() const;
    int TextWidth() const;

    // The rendered text, and how many times it has been rendered (for tests).
    const QPixmap &TextPixmap() const { return m_pixmap; }
    int RenderCount() const { return m_renderCount; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void renderText();
    int centredY() const;
    QRect textRect() const;

    QString m_text;
    QColor m_textColor = Qt::white;
    QPixmap m_pixmap;
    QSize m_textSize; // in device-independent pixels
    int m_x = 0;
    int m_restartX = 0;
    int m_ticks = 0;
    int m_renderCount = 0;
};
