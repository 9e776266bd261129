#pragma once

#include "SearchIndex.h"

#include <QList>
#include <QString>

#include <vector>

// Every match of one query, with exact counts per category, ranked only as far as it is read.
// Relevance is dear (bm25 reads every match's statistics) and orders text matches only within
// a category, so each run of matches of one group and category is ranked the first time a
// page reaches into it. Must not outlive the index it came from.
class SearchMatches
{
public:
    int count() const { return int(m_hits.size()); }
    // The matches in the categories at `orders` (SearchCategories), or in all when it is empty.
    int count(const QList<int> &orders) const;
    // Up to `count` results from the `from`th on, in rank order, of the categories at `orders`
    // (all when it is empty); the order is that of all the results with the others left out.
    QList<SearchIndex::Result> results(int from, int count, const QList<int> &orders = {});

private:
    friend class SearchIndex;
    SearchMatches(const SearchIndex &index, const QString &expression, const SearchQuery &query,
                  bool titlesOnly);

    struct Hit
    {
        qint64 id;
        double rank = 0;
    };
    // A run of hits of one group and one category, in rank order once `ranked`.
    struct Run
    {
        size_t begin;
        size_t end;
        SearchIndex::Group group;
        int order;
        bool ranked = false;
    };

    // Puts the runs in rank order, those of text matches with one reading of their relevance.
    void rank(const std::vector<Run *> &runs);

    const SearchIndex *m_index;
    QString m_expression;
    std::vector<Hit> m_hits; // by run
    std::vector<Run> m_runs; // in rank order
};
