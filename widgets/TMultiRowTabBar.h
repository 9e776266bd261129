#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class QStyleOptionTab;

// A tab bar above its page that lays its tabs out in as many rows as its width needs, so
// every caption shows whole. A tab that does not fit the rest of a row starts the next one;
// when there are several rows each is stretched to the full width. The rows either keep the
// order of their tabs from the top down to the page, or the row of the current tab moves
// next to the page and the others follow it round, as a classic multi-line tab control does.
// Tabs are painted by the style, as a QTabBar's are.
class TMultiRowTabBar : public QWidget
{
    Q_OBJECT

public:
    enum RowOrder { TabOrder, CurrentRowNextToPage };

    explicit TMultiRowTabBar(QWidget *parent = nullptr);

    int addTab(const QString &text);
    int addTab(const QIcon &icon, const QString &text);
    int count() const { return int(m_tabs.size()); }
    QString tabText(int index) const;
    QIcon tabIcon(int index) const;

    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);

    RowOrder rowOrder() const { return m_order; }
    void setRowOrder(RowOrder order);
    QSize iconSize() const { return m_iconSize; }
    void setIconSize(const QSize &size);

    // At the present width: the number of rows, the row a tab stands in (0 at the top, the
    // last next to the page), and where it is drawn.
    int rowCount() const;
    int rowOf(int index) const;
    QRect tabRect(int index) const;
    int tabAt(const QPoint &pos) const;
    // The size a tab needs to show its picture and its whole caption.
    QSize tabSizeHint(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Tab
    {
        QString text;
        QIcon icon;
    };

    // The tabs of each row for a width, rows in tab order.
    QList<QList<int>> breakIntoRows(int width) const;
    int rowHeight() const;
    void invalidateLayout();
    void ensureLayout() const;
    void initStyleOption(QStyleOptionTab *option, int index) const;
    void setHovered(int index);
    // The tab in the row above (-1) or below (+1) the current one that stands nearest under it.
    int tabInNextRow(int direction) const;

    QList<Tab> m_tabs;
    int m_current = -1;
    int m_hovered = -1;
    RowOrder m_order = TabOrder;
    QSize m_iconSize{16, 16};

    // Laid out lazily for the width it was laid out at.
    mutable bool m_laidOut = false;
    mutable int m_layoutWidth = -1;
    mutable int m_rows = 0;
    mutable QList<QRect> m_rects;
    mutable QList<int> m_rowOf;
};
