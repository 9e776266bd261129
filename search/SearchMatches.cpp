#include "SearchMatches.h"

#include "SearchCategories.h"
#include "SqliteDatabase.h"

#include <algorithm>

SearchMatches::SearchMatches(const SearchIndex &index, const QString &expression,
                             const SearchQuery &query, bool titlesOnly)
    : m_index(&index), m_expression(expression)
{
    if (query.isEmpty())
        return;
    const QString queryWords = query.words().join(u' ');
    const bool prefix = query.terms().back().prefix;

    // Bucket the hits by group and category; they come by id, and stay so within a bucket.
    const int categories = SearchCategories::count();
    const auto key = [categories](SearchIndex::Group group, int order) {
        return int(group) * categories + order;
    };
    std::vector<std::pair<qint64, int>> found; // id, key
    SqliteDatabase::Statement match(*index.m_db,
                                    "SELECT rowid FROM fts WHERE fts MATCH ? ORDER BY rowid");
    match.bind(1, expression);
    while (match.step()) {
        const qint64 id = match.integer(0);
        if (id < 1 || id > qint64(index.m_entries.size()))
            continue;
        const SearchIndex::Entry &entry = index.m_entries[size_t(id - 1)];
        const SearchIndex::Group group = index.groupOf(entry, queryWords, prefix);
        if (!titlesOnly || group != SearchIndex::Text)
            found.emplace_back(id, key(group, entry.order));
    }
    std::vector<size_t> start(size_t(key(SearchIndex::Text, categories)) + 1, 0);
    for (const auto &hit : found)
        ++start[size_t(hit.second) + 1];
    for (size_t k = 1; k < start.size(); ++k) {
        if (start[k] > 0)
            m_runs.push_back({start[k - 1], start[k - 1] + start[k], SearchIndex::Group((k - 1) / size_t(categories)),
                              int((k - 1) % size_t(categories))});
        start[k] += start[k - 1];
    }
    m_hits.resize(found.size());
    for (const auto &[id, k] : found)
        m_hits[start[size_t(k)]++] = {id};
}

int SearchMatches::count(const QList<int> &orders) const
{
    if (orders.isEmpty())
        return count();
    int n = 0;
    for (const Run &run : m_runs) {
        if (orders.contains(run.order))
            n += int(run.end - run.begin);
    }
    return n;
}

QList<SearchIndex::Result> SearchMatches::results(int from, int count, const QList<int> &orders)
{
    QList<SearchIndex::Result> results;
    size_t skip = size_t(std::max(0, from));
    for (Run &run : m_runs) {
        if (results.size() >= count)
            break;
        if (!orders.isEmpty() && !orders.contains(run.order))
            continue;
        const size_t size = run.end - run.begin;
        if (skip >= size) { // passed over unranked
            skip -= size;
            continue;
        }
        rank(run);
        const size_t end = std::min(run.end, run.begin + skip + size_t(count - results.size()));
        for (size_t i = run.begin + skip; i < end; ++i) {
            const SearchIndex::Entry &e = m_index->m_entries[size_t(m_hits[i].id - 1)];
            results.append({e.typ, e.numer, e.title, run.group, m_hits[i].id});
        }
        skip = 0;
    }
    return results;
}

void SearchMatches::rank(Run &run)
{
    if (run.ranked)
        return;
    run.ranked = true;
    const auto begin = m_hits.begin() + qsizetype(run.begin);
    const auto end = m_hits.begin() + qsizetype(run.end);
    if (run.group != SearchIndex::Text) {
        const auto &entries = m_index->m_entries;
        std::stable_sort(begin, end, [&entries](const Hit &a, const Hit &b) {
            return entries[size_t(a.id - 1)].titleWords < entries[size_t(b.id - 1)].titleWords;
        });
        return;
    }
    // The category's ids follow one another; both lists come by id.
    const auto &categoryEnd = m_index->m_categoryEnd;
    const qint64 first = run.order > 0 ? categoryEnd[size_t(run.order - 1)] + 1 : 1;
    // The title weighs ten times the text.
    SqliteDatabase::Statement relevance(*m_index->m_db,
                                        "SELECT rowid, bm25(fts, 10.0, 1.0) FROM fts WHERE fts MATCH ? "
                                        "AND rowid BETWEEN ? AND ? ORDER BY rowid");
    relevance.bind(1, m_expression).bind(2, first).bind(3, categoryEnd[size_t(run.order)]);
    auto hit = begin;
    while (hit != end && relevance.step()) {
        const qint64 id = relevance.integer(0);
        while (hit != end && hit->id < id)
            ++hit;
        if (hit != end && hit->id == id)
            (hit++)->rank = relevance.real(1);
    }
    // bm25: lower is better; equal ranks keep the id order.
    std::stable_sort(begin, end, [](const Hit &a, const Hit &b) { return a.rank < b.rank; });
}
