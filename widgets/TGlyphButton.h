#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QList>

// A picture button. Its glyph is a strip of state images side by side — normal, disabled,
// pressed, held down, under the mouse — with the colour of the strip's bottom-left pixel
// transparent. Without a glyph it draws a plain raised face with its text. With the focus it
// shows a frame over its glyph. `Tag` carries a number for the handler the button shares
// with others.
class TGlyphButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum State { Normal, Disabled, Pressed, Down, Hot };
    static constexpr int StateCount = 5;

    explicit TGlyphButton(QWidget *parent = nullptr);

    // Cuts the strip into `count` images; a strip narrower than `count` pixels is refused.
    bool SetGlyph(const QImage &strip, int count = StateCount);
    // The image shown in a state, with the transparent colour cleared; null without a glyph.
    QImage Glyph(State state) const;
    bool HasGlyph() const { return !m_glyphs.isEmpty(); }
    State CurrentState() const;

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QList<QImage> m_glyphs;
    int m_tag = 0;
    bool m_hot = false;
};
