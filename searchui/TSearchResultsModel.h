#pragma once

#include "SearchMatches.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>

#include <optional>

class TSearchEngine;

// The matches of one query as a list, a page at a time: a view asks for more as its reader
// scrolls to the end. A piece of text is made only for a row shown, a picture once a category.
// The display text is the title and the piece as plain text, one line each.
// The list empties when the engine loses its index.
class TSearchResultsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // SnippetRole: the piece of text as rich text, the query's words in bold.
    enum Role { TypRole = Qt::UserRole, NumerRole, SnippetRole };
    static constexpr int PageSize = 200;

    explicit TSearchResultsModel(TSearchEngine &engine, QObject *parent = nullptr);

    // Lists the first page of the query's matches; false, the list as it was, when the
    // engine's index cannot be read.
    bool setQuery(const QString &text);
    // Keeps only the categories at `orders` (SearchCategories); all when it is empty.
    void setCategories(const QList<int> &orders);

    // All the matches, and those of the categories at `orders`.
    int matchCount(const QList<int> &orders = {}) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    struct Row
    {
        SearchIndex::Result result;
        mutable std::optional<SearchIndex::Snippet> snippet;
    };

    const SearchIndex::Snippet &snippet(const Row &row) const;
    static QString richText(const SearchIndex::Snippet &snippet);
    void clear();

    TSearchEngine &m_engine;
    std::optional<SearchQuery> m_query;
    std::optional<SearchMatches> m_matches;
    QList<int> m_orders;
    QList<Row> m_rows;
    mutable QHash<QString, QIcon> m_icons;
};
