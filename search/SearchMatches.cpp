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
            m_runs.push_back({start[k - 1], start[k - 1] + start[k],
                              SearchIndex::Group((k - 1) / size_t(categories)),
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
    // The runs the page reaches, and where in the first of them it begins.
    std::vector<Run *> reached;
    size_t skip = size_t(std::max(0, from));
    size_t wanted = size_t(std::max(0, count));
    for (Run &run : m_runs) {
        if (wanted == 0)
            break;
        if (!orders.isEmpty() && !orders.contains(run.order))
            continue;
        const size_t size = run.end - run.begin;
        if (reached.empty() && skip >= size) { // passed over unranked
            skip -= size;
            continue;
        }
        reached.push_back(&run);
        wanted -= std::min(wanted, size - (reached.size() == 1 ? skip : 0));
    }
    rank(reached);

    QList<SearchIndex::Result> results;
    for (const Run *run : reached) {
        const size_t begin = run->begin + (run == reached.front() ? skip : 0);
        const size_t end = std::min(run->end, begin + size_t(count - results.size()));
        for (size_t i = begin; i < end; ++i) {
            const SearchIndex::Entry &e = m_index->m_entries[size_t(m_hits[i].id - 1)];
            results.append({e.typ, e.numer, e.title, run->group, m_hits[i].id});
        }
    }
    return results;
}

void SearchMatches::rank(const std::vector<Run *> &runs)
{
    const auto &entries = m_index->m_entries;
    std::vector<Run *> text;
    for (Run *run : runs) {
        if (run->ranked)
            continue;
        if (run->group == SearchIndex::Text) {
            text.push_back(run);
            continue;
        }
        run->ranked = true;
        std::stable_sort(
            m_hits.begin() + qsizetype(run->begin), m_hits.begin() + qsizetype(run->end),
            [&entries](const Hit &a, const Hit &b) {
                return entries[size_t(a.id - 1)].titleWords < entries[size_t(b.id - 1)].titleWords;
            });
    }
    if (text.empty())
        return;

    // One pass over the relevance of the categories' span: text runs follow the categories,
    // whose ids follow one another, so their hits come by id one run after another as the
    // rows do.
    const auto &categoryEnd = m_index->m_categoryEnd;
    const int firstOrder = text.front()->order;
    const qint64 first = firstOrder > 0 ? categoryEnd[size_t(firstOrder - 1)] + 1 : 1;
    // The title weighs ten times the text and the fields shown around it.
    SqliteDatabase::Statement relevance(
        *m_index->m_db, "SELECT rowid, bm25(fts, 10.0, 1.0, 1.0) FROM fts WHERE fts MATCH ? "
                        "AND rowid BETWEEN ? AND ? ORDER BY rowid");
    relevance.bind(1, m_expression).bind(2, first).bind(3, categoryEnd[size_t(text.back()->order)]);
    auto current = text.begin();
    size_t hit = (*current)->begin;
    while (current != text.end() && relevance.step()) {
        const qint64 id = relevance.integer(0);
        while (current != text.end() && m_hits[hit].id < id) {
            if (++hit == (*current)->end && ++current != text.end())
                hit = (*current)->begin;
        }
        if (current != text.end() && m_hits[hit].id == id)
            m_hits[hit].rank = relevance.real(1);
    }
    // bm25: lower is better; equal ranks keep the id order.
    for (Run *run : text) {
        run->ranked = true;
        std::stable_sort(m_hits.begin() + qsizetype(run->begin),
                         m_hits.begin() + qsizetype(run->end),
                         [](const Hit &a, const Hit &b) { return a.rank < b.rank; });
    }
}
