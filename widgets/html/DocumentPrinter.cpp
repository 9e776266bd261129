#include "DocumentPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace {

constexpr qreal CentimetresPerInch = 2.54;

// The part of the printable area, in painter coordinates, that lies within the margins. When
// the printer's own unprintable border is already wider than a margin, that border counts.
QRectF bodyRect(const QPrinter &printer, const QMarginsF &marginsCm)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const qreal dots = printer.resolution() / CentimetresPerInch;
    const QRectF withinMargins =
        paper.adjusted(marginsCm.left() * dots, marginsCm.top() * dots, -marginsCm.right() * dots,
                       -marginsCm.bottom() * dots);
    QRectF body = withinMargins.intersected(printable);
    if (body.width() < 1 || body.height() < 1)
        body = printable; // margins wider than the paper
    return body.translated(-printable.topLeft());
}

} // namespace

int DocumentPrinter::print(QPrinter &printer, int first, int last) const
{
    const QRectF body = bodyRect(printer, m_margins);

    // The copy asks the original document for its images, so they need not load again.
    const std::unique_ptr<QTextDocument> copy(m_document.clone(&m_document));
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(body.size());

    first = qMax(first, 0);
    last = qMin(last, copy->pageCount() - 1);
    if (first > last)
        return 0;

    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QAbstractTextDocumentLayout::PaintContext context;
    // Paper is white: text without a colour of its own prints black, whatever the screen shows.
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        const QRectF pageArea(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(body.left(), body.top() - pageArea.top());
        painter.setClipRect(pageArea);
        context.clip = pageArea;
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return last - first + 1;
}
