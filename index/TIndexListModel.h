#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <vector>

struct TFormRecord;

// The rows of one Index list: per row the texts of its columns (the values of the fields the
// column captions name) and the row record that says which entry it opens.
class TIndexListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TIndexListModel(const QStringList &columns, int image, QObject *parent = nullptr);

    struct Row
    {
        QStringList texts;
        TFormRecord *record = nullptr; // owned by the window's row-record list
    };

    void SetRows(std::vector<Row> rows);
    // The picture every row shows before its first column's text.
    void SetImage(const QIcon &icon) { m_icon = icon; }
    const Row &RowAt(int row) const { return m_rows.at(size_t(row)); }
    const QStringList &Columns() const { return m_columns; }
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // By the user locale's case-sensitive comparison of the column's texts; stable.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QStringList m_columns;
    int m_image;
    QIcon m_icon;
    std::vector<Row> m_rows;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
