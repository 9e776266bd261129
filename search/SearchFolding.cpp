#include "SearchFolding.h"

namespace SearchFolding {

QChar fold(QChar c)
{
    if (c.unicode() < 0x80)
        return c.toLower();
    // "ł" is a letter of its own to Unicode, not "l" with a mark: it has no decomposition.
    if (c == u'ł' || c == u'Ł')
        return u'l';
    if (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().front();
    return c.toCaseFolded();
}

QString fold(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const QChar c : text)
        *out++ = fold(c);
    return folded;
}

QStringList words(QStringView text)
{
    QStringList result;
    const QString folded = fold(text);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool inWord = i < folded.size() && folded.at(i).isLetterOrNumber();
        if (inWord && start < 0)
            start = i;
        else if (!inWord && start >= 0) {
            result.append(folded.mid(start, i - start));
            start = -1;
        }
    }
    return result;
}

namespace {

// Folded, with every kind of white space made one plain space.
QString foldForFind(QStringView text)
{
    QString folded = fold(text);
    for (QChar &c : folded) {
        if (c.isSpace())
            c = u' ';
    }
    return folded;
}

} // namespace

QList<qsizetype> occurrences(QStringView text, QStringView query)
{
    QList<qsizetype> found;
    if (query.trimmed().isEmpty())
        return found;
    const QString needle = foldForFind(query);
    const QString haystack = foldForFind(text);
    for (qsizetype at = haystack.indexOf(needle); at >= 0;
         at = haystack.indexOf(needle, at + needle.size()))
        found.append(at);
    return found;
}

} // namespace SearchFolding
