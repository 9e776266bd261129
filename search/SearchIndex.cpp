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

namespace {

// Where a query word starts a word of the folded text, from `from` on; -1 for nowhere.
qsizetype wordAt(const QString &folded, const QString &word, qsizetype from)
{
    for (; (from = folded.indexOf(word, from)) >= 0; ++from) {
        if (from == 0 || !folded.at(from - 1).isLetterOrNumber())
            return from;
    }
    return -1;
}

// The first match of any query word in the text; -1 for none.
qsizetype firstMatch(const QString &text, const QStringList &words)
{
    const QString folded = SearchFolding::fold(text);
    qsizetype first = -1;
    for (const QString &word : words) {
        const qsizetype at = wordAt(folded, word, 0);
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first;
}

} // namespace

SearchIndex::Snippet SearchIndex::snippet(const Result &result, const SearchQuery &query,
                                          int width) const
{
    SqliteDatabase::Statement read(*m_db, "SELECT body, shown FROM docs WHERE id = ?");
    read.bind(1, result.id);
    if (!read.step())
        return {};
    const QStringList words = query.words();
    QString text = read.text(0);
    qsizetype at = firstMatch(text, words);
    // An entry found by its title shows the start of its text.
    if (at < 0 && result.group == Text) {
        const QString shown = read.text(1);
        if (const qsizetype inShown = firstMatch(shown, words); inShown >= 0 || text.isEmpty()) {
            text = shown;
            at = inShown;
        }
    }

    qsizetype start = 0;
    if (at >= 0) {
        start = std::max<qsizetype>(0, at - width / 3);
        while (start > 0 && !text.at(start - 1).isSpace() && start < at)
            ++start; // begin on a whole word
    }
    const qsizetype end = std::min(text.size(), start + width);
    Snippet snippet;
    snippet.text = (start > 0 ? QStringLiteral("…") : QString()) + text.mid(start, end - start) +
                   (end < text.size() ? QStringLiteral("…") : QString());

    // Folding keeps positions, so a word found in the folded piece marks the original.
    const QString folded = SearchFolding::fold(snippet.text);
    for (const QString &word : words) {
        for (qsizetype from = 0; (from = wordAt(folded, word, from)) >= 0;) {
            qsizetype length = word.size();
            while (from + length < folded.size() && folded.at(from + length).isLetterOrNumber())
                ++length; // the whole word a prefix matched
            snippet.marks.append({from, length});
            from += std::max<qsizetype>(length, 1);
        }
    }
    std::sort(snippet.marks.begin(), snippet.marks.end(),
              [](const Snippet::Mark &a, const Snippet::Mark &b) { return a.start < b.start; });
    // Words of the query that start alike mark one word twice.
    QList<Snippet::Mark> apart;
    for (const Snippet::Mark &mark : std::as_const(snippet.marks)) {
        if (apart.isEmpty() || mark.start >= apart.back().start + apart.back().length)
            apart.append(mark);
    }
    snippet.marks = std::move(apart);
    return snippet;
}
