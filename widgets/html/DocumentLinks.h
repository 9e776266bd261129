#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// The links of a rendered document in text order: where each stands in the document's text,
// its target as written, and its text. A link split by formatting is one link; the links the
// form controls sit in are not the reader's links and are left out.
class DocumentLinks
{
public:
    struct Link
    {
        int start = 0; // document positions, end exclusive
        int end = 0;
        QString href;
        QString text;
    };

    static QList<Link> of(const QTextDocument &document);
};
