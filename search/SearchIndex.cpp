#include "SearchIndex.h"

#include "SearchCategories.h"
#include "SearchFolding.h"
#include "SearchIndexDigest.h"
#include "SearchMatches.h"
#include "SqliteDatabase.h"

#include <QFileInfo>

#include <algorithm>

SearchIndex::SearchIndex(const QString &path)
    : m_db(std::make_unique<SqliteDatabase>(path, SqliteDatabase::Mode::ReadOnly))
{
    SqliteDatabase::Statement entries(*m_db,
                                      "SELECT id, typ, numer, title, ord FROM docs ORDER BY id");
    while (entries.step()) {
        Entry entry{entries.text(1), entries.text(2), entries.text(3), {}, int(entries.integer(4))};
        entry.titleWords = SearchFolding::words(entry.title).join(u' ');
        // Ranking relies on ids that count from 1 and categories that follow one another.
        const int previous = m_entries.empty() ? 0 : m_entries.back().order;
        if (entries.integer(0) != qint64(m_entries.size()) + 1 || entry.order < previous ||
            entry.order >= SearchCategories::count())
            throw SqliteDatabase::Error(QStringLiteral("entries out of order"));
        m_categoryEnd.resize(size_t(entry.order) + 1, qint64(m_entries.size()));
        m_entries.push_back(std::move(entry));
        m_categoryEnd.back() = qint64(m_entries.size());
    }
}

SearchIndex::~SearchIndex() = default;

bool SearchIndex::isValid(const QString &path, const QString &key)
{
    // The digest stands for SQLite's own checks, which miss changed text and a page cut short.
    if (!QFileInfo(path).isFile() || !SearchIndexDigest::matches(path))
        return false;
    try {
        SqliteDatabase db(path, SqliteDatabase::Mode::ReadOnly);
        SqliteDatabase::Statement meta(db, "SELECT value FROM meta WHERE name = ?");
        const auto value = [&meta](const QString &name) {
            meta.reset();
            meta.bind(1, name);
            return meta.step() ? meta.text(0) : QString();
        };
        if (value(QStringLiteral("version")) != QString::number(Version) ||
            value(QStringLiteral("key")) != key)
            return false;
        // The full-text tables answer and agree with the entries.
        SqliteDatabase::Statement count(db, "SELECT (SELECT count(*) FROM docs), "
                                            "(SELECT count(*) FROM fts_docsize)");
        if (!count.step() || count.integer(0) != count.integer(1) ||
            QString::number(count.integer(0)) != value(QStringLiteral("count")))
            return false;
        SqliteDatabase::Statement probe(db, "SELECT count(*) FROM fts WHERE fts MATCH 'a*'");
        return probe.step();
    } catch (const SqliteDatabase::Error &) {
        return false;
    }
}

SearchIndex::Group SearchIndex::groupOf(const Entry &entry, const QString &queryWords,
                                        bool prefix) const
{
    const QString &title = entry.titleWords;
    if (title == queryWords)
        return ExactTitle;
    // The query's words at a word start of the title; its last word may end inside a
    // title word only when it is a prefix.
    const auto fitsAt = [&](qsizetype at) {
        const qsizetype end = at + queryWords.size();
        return prefix || end == title.size() || title.at(end) == u' ';
    };
    if (title.startsWith(queryWords) && fitsAt(0))
        return TitleStart;
    for (qsizetype at = 0; (at = title.indexOf(queryWords, at + 1)) > 0;) {
        if (title.at(at - 1) == u' ' && fitsAt(at))
            return TitleWord;
    }
    return Text;
}

SearchMatches SearchIndex::matches(const SearchQuery &query) const
{
    return SearchMatches(*this, query.ftsExpression(), query, false);
}

QList<SearchIndex::Result> SearchIndex::search(const SearchQuery &query, int limit) const
{
    SearchMatches all = matches(query);
    return all.results(0, limit < 0 ? all.count() : limit);
}

QList<SearchIndex::Result> SearchIndex::titleMatches(const SearchQuery &query, int limit) const
{
    SearchMatches titles(*this, QStringLiteral("title : (%1)").arg(query.ftsExpression()), query,
                         true);
    return titles.results(0, limit);
}

QString SearchIndex::snippet(const Result &result, const SearchQuery &query, const QString &open,
                             const QString &close, int width) const
{
    SqliteDatabase::Statement body(*m_db, "SELECT body FROM docs WHERE id = ?");
    body.bind(1, result.id);
    if (!body.step())
        return {};
    const QString text = body.text(0);
    // Folding keeps positions, so a match found in the folded text marks the original.
    const QString folded = SearchFolding::fold(text);
    qsizetype at = -1;
    qsizetype length = 0;
    for (const QString &word : query.words()) {
        for (qsizetype from = 0; (from = folded.indexOf(word, from)) >= 0; ++from) {
            if (from == 0 || !folded.at(from - 1).isLetterOrNumber()) {
                if (at < 0 || from < at) {
                    at = from;
                    length = word.size();
                }
                break;
            }
        }
    }
    if (at < 0)
        return text.left(width);
    while (at + length < text.size() && text.at(at + length).isLetterOrNumber())
        ++length; // the whole word a prefix matched
    qsizetype start = std::max<qsizetype>(0, at - width / 3);
    while (start > 0 && !text.at(start - 1).isSpace() && start < at)
        ++start; // begin on a whole word
    const qsizetype end = std::min(text.size(), start + width);
    return (start > 0 ? QStringLiteral("…") : QString()) + text.mid(start, at - start) + open +
           text.mid(at, length) + close + text.mid(at + length, end - at - length) +
           (end < text.size() ? QStringLiteral("…") : QString());
}
