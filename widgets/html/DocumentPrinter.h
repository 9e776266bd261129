#pragma once

#include <QMarginsF>

class QPrinter;
class QTextDocument;

// Prints a text document page by page with margins measured from the edges of the paper.
class DocumentPrinter
{
public:
    // Margins in centimetres.
    DocumentPrinter(QTextDocument &document, const QMarginsF &margins)
        : m_document(document), m_margins(margins)
    {
    }

    // Prints pages first..last, counted from 0 and clamped to the pages there are. Returns
    // the number of pages printed; nothing is printed when none is in the range.
    int print(QPrinter &printer, int first, int last) const;

private:
    QTextDocument &m_document;
    QMarginsF m_margins;
};
