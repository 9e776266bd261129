#include "TScrollBanner.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace {
// The text moves on the tick after this many.
constexpr int kTicksPerStep = 10;
} // namespace

TScrollBanner::TScrollBanner(QWidget *parent) : QWidget(parent)
{
    // paintEvent() covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
}

QFont TScrollBanner::BannerFont()
{
    // Where Arial is missing, fontconfig puts a face of the same widths in its place
    // (Liberation Sans, Nimbus Sans). A style hint would get in the way of that and bring the
    // default sans serif instead.
    return QFont(QStringLiteral("Arial"), 12, QFont::Bold, true);
}

namespace {

// The ink of the tallest and deepest letters the content uses, the accents over Polish
// capitals included; some fonts draw those above their own ascent.
QRect polishInk(const QFontMetrics &metrics)
{
    return metrics.tightBoundingRect(QStringLiteral("ŻÓŁŚĆŹŃĄĘ Ohamburgerofons gąbkę"));
}

} // namespace

// The font's line height (ascent + descent), which is what a canvas reports as the height of
// a text and what the text pixmap is made of, grown where the font's accents reach beyond it.
int TScrollBanner::SampleTextHeight()
{
    const QFontMetrics metrics(BannerFont());
    const QRect ink = polishInk(metrics);
    return Baseline() + std::max(metrics.descent(), ink.bottom() + 1);
}

int TScrollBanner::Baseline()
{
    const QFontMetrics metrics(BannerFont());
    return std::max(metrics.ascent(), -polishInk(metrics).top());
}

void TScrollBanner::SetText(const QString &text)
{
    m_text = text;
    if (!m_text.isEmpty() && !m_text.endsWith(u' '))
        m_text.append(u' ');
    m_ticks = 0;
    m_restartX = width();
    m_x = m_restartX;
    if (m_text.isEmpty()) {
        m_pixmap = QPixmap();
        m_textSize = QSize();
    } else {
        renderText();
    }
    update();
}

QString TScrollBanner::Text() const
{
    return m_text;
}

void TScrollBanner::SetTextColor(const QColor &color)
{
    if (color == m_textColor)
        return;
    m_textColor = color;
    if (m_text.isEmpty())
        return;
    renderText();
    update(textRect());
}

bool TScrollBanner::Tick()
{
    if (m_text.isEmpty())
        return false;
    if (++m_ticks <= kTicksPerStep)
        return false;
    m_ticks = 0;

    // The old place one column wider than the new one, or both ends when the text restarts.
    const QRect before = textRect();
    --m_x;
    if (m_x + m_textSize.width() < 0)
        m_x = m_restartX;
    update(before.united(textRect()));
    return true;
}

QPoint TScrollBanner::TextPosition() const
{
    return {m_x, centredY()};
}

int TScrollBanner::TextWidth() const
{
    return m_textSize.width();
}

void TScrollBanner::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    if (!m_pixmap.isNull())
        painter.drawPixmap(m_x, centredY(), m_pixmap);
}

void TScrollBanner::renderText()
{
    const QFont font = BannerFont();
    const QFontMetrics metrics(font);
    m_textSize = QSize(metrics.horizontalAdvance(m_text), SampleTextHeight());

    const qreal ratio = devicePixelRatioF();
    m_pixmap = QPixmap(m_textSize * ratio);
    m_pixmap.setDevicePixelRatio(ratio);
    m_pixmap.fill(Qt::black);
    QPainter painter(&m_pixmap);
    painter.setFont(font);
    painter.setPen(m_textColor);
    painter.drawText(0, Baseline(), m_text);
    ++m_renderCount;
}

int TScrollBanner::centredY() const
{
    // Integer division rounds towards zero, also when the banner is lower than the text.
    return m_text.isEmpty() ? 0 : (height() - m_textSize.height()) / 2;
}

QRect TScrollBanner::textRect() const
{
    return {QPoint(m_x, centredY()), m_textSize};
}
