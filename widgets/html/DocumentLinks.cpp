#include "DocumentLinks.h"

#include "PageResources.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString readable(QString text)
{
    // Pictures stand in the text as replacement characters.
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::Nbsp, u' ');
    return text.simplified();
}

} // namespace

QList<DocumentLinks::Link> DocumentLinks::of(const QTextDocument &document)
{
    QList<Link> links;
    Link current;
    const auto close = [&] {
        if (!current.href.isEmpty() &&
            PageResources::indexIn(current.href, PageResources::formScheme) < 0) {
            current.text = readable(current.text);
            links.append(current);
        }
        current = Link();
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString href = format.isAnchor() ? format.anchorHref() : QString();
            if (href != current.href || fragment.position() != current.end)
                close();
            if (href.isEmpty())
                continue;
            if (current.href.isEmpty()) {
                current.href = href;
                current.start = fragment.position();
            }
            current.end = fragment.position() + fragment.length();
            current.text += fragment.text();
        }
    }
    close();
    return links;
}
