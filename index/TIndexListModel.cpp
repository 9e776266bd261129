#include "TIndexListModel.h"

#include <QCollator>
#include <QHash>

#include <algorithm>

TIndexListModel::TIndexListModel(const QStringList &columns, int image, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_image(image)
{
}

void TIndexListModel::SetRows(std::vector<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TIndexListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TIndexListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TIndexListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_rows[size_t(index.row())].texts.value(index.column());
    if (role == Qt::UserRole && index.column() == 0)
        return m_image;
    if (role == Qt::DecorationRole && index.column() == 0 && !m_icon.isNull())
        return m_icon;
    return QVariant();
}

QVariant TIndexListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.value(section);
    return QVariant();
}

void TIndexListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    QCollator collator; // the user's locale
    collator.setCaseSensitivity(Qt::CaseSensitive);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Rows are known by their records, so selections follow their rows.
    const QModelIndexList persistent = persistentIndexList();
    std::vector<const TFormRecord *> before;
    for (const QModelIndex &index : persistent)
        before.push_back(m_rows[size_t(index.row())].record);
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row &a, const Row &b) {
        const int c = collator.compare(a.texts.value(column), b.texts.value(column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QHash<const TFormRecord *, int> rowOf;
    for (size_t r = 0; r < m_rows.size(); ++r)
        rowOf.insert(m_rows[r].record, int(r));
    QModelIndexList after;
    for (qsizetype i = 0; i < persistent.size(); ++i)
        after.append(index(rowOf.value(before[size_t(i)]), persistent[i].column()));
    changePersistentIndexList(persistent, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
