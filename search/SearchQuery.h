#pragma once

#include <QString>
#include <QStringList>

// What the reader typed, read as search terms: every word is required, words in double
// quotes form a phrase, and the last word typed (not yet followed by a space) also matches
// the start of longer words. Words are folded (SearchFolding).
class SearchQuery
{
public:
    struct Term
    {
        QStringList words; // one word, or the words of a phrase
        bool prefix = false;
    };

    explicit SearchQuery(const QString &text);

    bool isEmpty() const { return m_terms.isEmpty(); }
    const QList<Term> &terms() const { return m_terms; }
    // Every word of every term, in the order typed.
    QStringList words() const;
    // The terms as an FTS5 query expression.
    QString ftsExpression() const;

private:
    QList<Term> m_terms;
};
