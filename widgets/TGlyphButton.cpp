#include "TGlyphButton.h"

#include "FocusFrame.h"

#include <QPainter>
#include <QStyleOptionButton>

TGlyphButton::TGlyphButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

bool TGlyphButton::SetGlyph(const QImage &strip, int count)
{
    if (strip.isNull() || count < 1 || strip.width() < count)
        return false;
    QImage picture = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = picture.pixel(0, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    const int width = picture.width() / count;
    m_glyphs.clear();
    for (int i = 0; i < count; ++i)
        m_glyphs.append(picture.copy(i * width, 0, width, picture.height()));
    updateGeometry();
    update();
    return true;
}

QImage TGlyphButton::Glyph(State state) const
{
    if (m_glyphs.isEmpty())
        return QImage();
    // A strip of fewer images shows its first one for the states it lacks.
    return m_glyphs.value(int(state), m_glyphs.first());
}

TGlyphButton::State TGlyphButton::CurrentState() const
{
    if (!isEnabled())
        return Disabled;
    if (isDown())
        return Pressed;
    if (isChecked())
        return Down;
    return m_hot ? Hot : Normal;
}

QSize TGlyphButton::sizeHint() const
{
    return m_glyphs.isEmpty() ? QSize(34, 34) : m_glyphs.first().size();
}

void TGlyphButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage glyph = Glyph(CurrentState());
    if (!glyph.isNull()) {
        const QPoint at((width() - glyph.width()) / 2, (height() - glyph.height()) / 2);
        painter.drawImage(at, glyph);
        if (hasFocus())
            FocusFrame::Paint(painter, rect());
        return;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = text();
    option.state |= isDown() || isChecked() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
}

void TGlyphButton::enterEvent(QEnterEvent *event)
{
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TGlyphButton::leaveEvent(QEvent *event)
{
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}
