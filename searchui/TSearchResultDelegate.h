#pragma once

#include <QStyledItemDelegate>

class QTextDocument;

// A search result as the pane shows it: the category's picture, the title in bold, and below
// it up to two lines of the piece of text, wrapped to the list's width, with the words found
// in bold (TSearchResultsModel::SnippetRole). Every row is as high and as wide as the list.
class TSearchResultDelegate : public QStyledItemDelegate
{
public:
    static constexpr int SnippetLines = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The piece of text laid out at `width`, cut with an ellipsis to its first lines.
    static void layOut(QTextDocument &snippet, const QString &html, const QFont &font, int width);
};
