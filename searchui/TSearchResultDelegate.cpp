#include "TSearchResultDelegate.h"

#include "TSearchResultsModel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int Margin = 3;

QFont titleFont(const QFont &font)
{
    QFont bold(font);
    bold.setBold(true);
    return bold;
}

} // namespace

void TSearchResultDelegate::layOut(QTextDocument &snippet, const QString &html, const QFont &font,
                                   int width)
{
    snippet.setDefaultFont(font);
    snippet.setDocumentMargin(0);
    snippet.setHtml(html);
    snippet.setTextWidth(width);
    // The text is one paragraph: past its last line shown, it makes room for the ellipsis.
    const QTextBlock block = snippet.firstBlock();
    const auto lines = [&snippet, &block] {
        snippet.documentLayout()->blockBoundingRect(block); // laid out when first asked
        return block.layout()->lineCount();
    };
    for (int cut = 1; lines() > SnippetLines && cut < block.length(); ++cut) {
        const QTextLine last = block.layout()->lineAt(SnippetLines - 1);
        QTextCursor cursor(&snippet);
        cursor.setPosition(block.position() +
                           std::max(0, last.textStart() + last.textLength() - cut));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("…"));
    }
}

void TSearchResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    // The style draws the background, the selection and the picture; the text is drawn here.
    item.text.clear();
    item.decorationAlignment = Qt::AlignLeft | Qt::AlignTop;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text =
        option.rect.adjusted(item.decorationSize.width() + 3 * Margin, Margin, -Margin, -Margin);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QColor colour =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);

    painter->save();
    painter->setClipRect(text);
    painter->setPen(colour);
    const QFont title = titleFont(option.font);
    painter->setFont(title);
    const QFontMetrics titleMetrics(title);
    const QString name = index.data(Qt::DisplayRole).toString().section(u'\n', 0, 0);
    painter->drawText(text.topLeft() + QPoint(0, titleMetrics.ascent()),
                      titleMetrics.elidedText(name, Qt::ElideRight, text.width()));

    QTextDocument snippet;
    layOut(snippet, index.data(TSearchResultsModel::SnippetRole).toString(), option.font,
           text.width());
    painter->translate(text.left(), text.top() + titleMetrics.lineSpacing());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    context.palette.setColor(QPalette::Text, colour);
    snippet.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize TSearchResultDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // As wide as the list: the text wraps and is cut to fit, and no row widens the list.
    const int lines = QFontMetrics(titleFont(option.font)).lineSpacing() +
                      SnippetLines * QFontMetrics(option.font).lineSpacing();
    return {1, std::max(lines, option.decorationSize.height()) + 2 * Margin};
}
