#include "TSearchResultsModel.h"

#include "AppIcons.h"
#include "TSearchEngine.h"

TSearchResultsModel::TSearchResultsModel(TSearchEngine &engine, QObject *parent)
    : QAbstractListModel(parent), m_engine(engine)
{
    connect(&m_engine, &TSearchEngine::lost, this, &TSearchResultsModel::clear);
}

bool TSearchResultsModel::setQuery(const QString &text)
{
    SearchQuery query(text);
    std::optional<SearchMatches> matches;
    if (!m_engine.read([&](const SearchIndex &index) { matches.emplace(index.matches(query)); }))
        return false;
    beginResetModel();
    m_query.emplace(std::move(query));
    m_matches = std::move(matches);
    m_orders.clear();
    m_rows.clear();
    endResetModel();
    fetchMore({});
    return true;
}

void TSearchResultsModel::clear()
{
    beginResetModel();
    m_query.reset();
    m_matches.reset();
    m_rows.clear();
    endResetModel();
}

void TSearchResultsModel::setCategories(const QList<int> &orders)
{
    if (!m_matches)
        return;
    beginResetModel();
    m_orders = orders;
    m_rows.clear();
    endResetModel();
    fetchMore({});
}

int TSearchResultsModel::matchCount(const QList<int> &orders) const
{
    return m_matches ? m_matches->count(orders) : 0;
}

int TSearchResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

bool TSearchResultsModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_rows.size() < matchCount(m_orders);
}

void TSearchResultsModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    QList<SearchIndex::Result> page;
    m_engine.read([this, &page](const SearchIndex &) {
        page = m_matches->results(int(m_rows.size()), PageSize, m_orders);
    });
    if (page.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + page.size()) - 1);
    for (const SearchIndex::Result &result : page)
        m_rows.append({result, {}});
    endInsertRows();
}

const SearchIndex::Snippet &TSearchResultsModel::snippet(const Row &row) const
{
    if (!row.snippet) {
        row.snippet.emplace();
        // About two lines of the pane.
        m_engine.read([this, &row](const SearchIndex &index) {
            row.snippet = index.snippet(row.result, *m_query, 160);
        });
    }
    return *row.snippet;
}

QString TSearchResultsModel::richText(const SearchIndex::Snippet &snippet)
{
    // The entry's text is escaped piece by piece: only the marks become markup.
    QString html;
    qsizetype done = 0;
    for (const SearchIndex::Snippet::Mark &mark : snippet.marks) {
        html += snippet.text.mid(done, mark.start - done).toHtmlEscaped() + QStringLiteral("<b>") +
                snippet.text.mid(mark.start, mark.length).toHtmlEscaped() + QStringLiteral("</b>");
        done = mark.start + mark.length;
    }
    return html + snippet.text.mid(done).toHtmlEscaped();
}

QVariant TSearchResultsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString(row.result.title + u'\n' + snippet(row).text);
    case Qt::ToolTipRole:
        return snippet(row).text;
    case Qt::AccessibleTextRole:
        return QString(row.result.title + QStringLiteral(": ") + snippet(row).text);
    case SnippetRole:
        return richText(snippet(row));
    case Qt::DecorationRole: {
        // One picture a category: a new one would draw its SVG again.
        auto icon = m_icons.find(row.result.typ);
        if (icon == m_icons.end())
            icon = m_icons.insert(row.result.typ, AppIcons::Category(row.result.typ));
        return *icon;
    }
    case TypRole:
        return row.result.typ;
    case NumerRole:
        return row.result.numer;
    default:
        return {};
    }
}
