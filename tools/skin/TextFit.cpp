#include "TextFit.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cstdlib>

namespace TextFit {

namespace {

QFont makeFont(const QStringList &families, int pixelSize, bool bold, bool italic)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

bool fits(const QStringList &lines, const QFont &font, QSizeF box)
{
    const QFontMetricsF metrics(font);
    for (const QString &line : lines) {
        if (metrics.horizontalAdvance(line) > box.width())
            return false;
    }
    return metrics.height() * lines.size() + metrics.leading() * (lines.size() - 1) <= box.height();
}

// The two halves of `text` at the space nearest its middle; the whole text without a space.
QStringList halves(const QString &text)
{
    int best = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u' ' &&
            (best < 0 || std::abs(i - text.size() / 2) < std::abs(best - text.size() / 2)))
            best = i;
    }
    if (best < 0)
        return {text};
    return {text.left(best), text.mid(best + 1)};
}

} // namespace

QFont Serif(int pixelSize, bool bold, bool italic)
{
    return makeFont({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")}, pixelSize,
                    bold, italic);
}

QFont Sans(int pixelSize, bool bold)
{
    return makeFont({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pixelSize,
                    bold, false);
}

QFont NarrowSans(int pixelSize)
{
    return makeFont({QStringLiteral("Liberation Sans Narrow"),
                     QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")},
                    pixelSize, false, false);
}

Fitted Fit(const QString &text, QFont font, QSizeF box, int minimumPixelSize, int maximumLines)
{
    const QStringList broken = halves(text);
    for (int size = font.pixelSize(); size >= minimumPixelSize; --size) {
        font.setPixelSize(size);
        if (fits({text}, font, box))
            return {font, {text}};
        if (maximumLines > 1 && broken.size() > 1 && fits(broken, font, box))
            return {font, broken};
    }
    font.setPixelSize(minimumPixelSize);
    return {font, {text}};
}

QFont FitWrapped(const QString &text, QFont font, QSizeF box, int minimumPixelSize)
{
    for (int size = font.pixelSize(); size > minimumPixelSize; --size) {
        font.setPixelSize(size);
        const QRectF used =
            QFontMetricsF(font).boundingRect(QRectF(QPointF(), box), Qt::TextWordWrap, text);
        if (used.width() <= box.width() && used.height() <= box.height())
            return font;
    }
    font.setPixelSize(minimumPixelSize);
    return font;
}

void Draw(QPainter &painter, const Fitted &fitted, const QRectF &box, int alignment)
{
    painter.setFont(fitted.font);
    painter.drawText(box, alignment, fitted.lines.join(u'\n'));
}

} // namespace TextFit
