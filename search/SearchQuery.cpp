#include "SearchQuery.h"

#include "SearchFolding.h"

SearchQuery::SearchQuery(const QString &text)
{
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != u'"')
            continue;
        const QStringList words = SearchFolding::words(QStringView(text).mid(start, i - start));
        if (quoted) {
            if (!words.isEmpty())
                m_terms.append({words, false});
        } else {
            for (const QString &word : words)
                m_terms.append({{word}, false});
            // Only a word still being typed at the very end is a prefix.
            if (i == text.size() && !words.isEmpty() && !text.back().isSpace() &&
                !text.back().isPunct())
                m_terms.back().prefix = true;
        }
        quoted = !quoted;
        start = i + 1;
    }
}

QStringList SearchQuery::words() const
{
    QStringList all;
    for (const Term &term : m_terms)
        all += term.words;
    return all;
}

QString SearchQuery::ftsExpression() const
{
    // The words hold letters and digits only, so quoting them needs no escapes.
    QStringList parts;
    for (const Term &term : m_terms) {
        QString part = u'"' + term.words.join(u' ') + u'"';
        if (term.prefix)
            part += u'*';
        parts.append(part);
    }
    return parts.join(u' ');
}
