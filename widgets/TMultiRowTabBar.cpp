#include "TMultiRowTabBar.h"

#include "TMultiRowTabBarAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabBarBase>
#include <QTabBar>

#include <algorithm>

TMultiRowTabBar::TMultiRowTabBar(QWidget *parent) : QWidget(parent)
{
    TMultiRowTabBarAccessible::Install();
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_iconSize = QSize(side, side);
}

int TMultiRowTabBar::addTab(const QString &text)
{
    return addTab(QIcon(), text);
}

int TMultiRowTabBar::addTab(const QIcon &icon, const QString &text)
{
    m_tabs.append({text, icon});
    invalidateLayout();
    const int index = count() - 1;
    if (m_current < 0)
        setCurrentIndex(index);
    return index;
}

QString TMultiRowTabBar::tabText(int index) const
{
    return index >= 0 && index < count() ? m_tabs[index].text : QString();
}

QIcon TMultiRowTabBar::tabIcon(int index) const
{
    return index >= 0 && index < count() ? m_tabs[index].icon : QIcon();
}

void TMultiRowTabBar::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    m_current = index;
    if (m_order == CurrentRowNextToPage)
        invalidateLayout();
    update();
    QAccessibleEvent event(this, hasFocus() ? QAccessible::Focus : QAccessible::Selection);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
    Q_EMIT currentChanged(index);
}

void TMultiRowTabBar::setRowOrder(RowOrder order)
{
    if (order == m_order)
        return;
    m_order = order;
    invalidateLayout();
}

void TMultiRowTabBar::setIconSize(const QSize &size)
{
    if (size == m_iconSize)
        return;
    m_iconSize = size;
    invalidateLayout();
}

int TMultiRowTabBar::rowCount() const
{
    ensureLayout();
    return m_rows;
}

int TMultiRowTabBar::rowOf(int index) const
{
    ensureLayout();
    return m_rowOf.value(index, -1);
}

QRect TMultiRowTabBar::tabRect(int index) const
{
    ensureLayout();
    return m_rects.value(index);
}

int TMultiRowTabBar::tabAt(const QPoint &pos) const
{
    ensureLayout();
    for (int i = 0; i < count(); ++i) {
        if (m_rects[i].contains(pos))
            return i;
    }
    return -1;
}

void TMultiRowTabBar::initStyleOption(QStyleOptionTab *option, int index) const
{
    option->initFrom(this);
    option->state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option->shape = QTabBar::RoundedNorth;
    option->text = m_tabs[index].text;
    option->icon = m_tabs[index].icon;
    option->iconSize = m_iconSize;
    option->documentMode = false;
    if (index == m_current) {
        option->state |= QStyle::State_Selected;
        if (hasFocus())
            option->state |= QStyle::State_HasFocus;
    }
    if (index == m_hovered)
        option->state |= QStyle::State_MouseOver;
}

QSize TMultiRowTabBar::tabSizeHint(int index) const
{
    if (index < 0 || index >= count())
        return {};
    // As QTabBar measures its tabs, so the style's label fits the caption exactly.
    QStyleOptionTab option;
    initStyleOption(&option, index);
    const int hframe = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vframe = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QFontMetrics metrics = fontMetrics();
    const QSize icon = option.icon.isNull() ? QSize(0, 0) : m_iconSize;
    const int padding = option.icon.isNull() ? 0 : 4;
    const QSize contents(metrics.size(Qt::TextShowMnemonic, option.text).width() + icon.width() +
                             hframe + padding,
                         std::max(metrics.height(), icon.height()) + vframe);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
}

QList<QList<int>> TMultiRowTabBar::breakIntoRows(int width) const
{
    QList<QList<int>> rows;
    QList<int> row;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int tab = tabSizeHint(i).width();
        if (!row.isEmpty() && used + tab > width) {
            rows.append(row);
            row.clear();
            used = 0;
        }
        row.append(i);
        used += tab;
    }
    if (!row.isEmpty())
        rows.append(row);
    return rows;
}

int TMultiRowTabBar::rowHeight() const
{
    int height = 0;
    for (int i = 0; i < count(); ++i)
        height = std::max(height, tabSizeHint(i).height());
    return height;
}

void TMultiRowTabBar::invalidateLayout()
{
    m_laidOut = false;
    updateGeometry();
    update();
}

void TMultiRowTabBar::ensureLayout() const
{
    const int width = this->width();
    if (m_laidOut && m_layoutWidth == width)
        return;
    const QList<QList<int>> rows = breakIntoRows(width);
    const auto rowCount = int(rows.size());
    const int height = rowHeight();
    int currentRow = 0;
    for (int r = 0; r < rowCount; ++r) {
        if (rows[r].contains(m_current))
            currentRow = r;
    }
    m_rects = QList<QRect>(count());
    m_rowOf = QList<int>(count(), -1);
    for (int r = 0; r < rowCount; ++r) {
        // The current row goes last, next to the page; the rows after it come round to the top.
        const int visual =
            m_order == CurrentRowNextToPage ? (r - currentRow - 1 + rowCount) % rowCount : r;
        const QList<int> &row = rows[r];
        QList<int> widths;
        int natural = 0;
        for (const int i : row) {
            widths.append(tabSizeHint(i).width());
            natural += widths.last();
        }
        // One row keeps its natural widths; several are stretched to the full width.
        const int extra = rowCount > 1 ? std::max(0, width - natural) : 0;
        int x = 0;
        for (int k = 0; k < row.size(); ++k) {
            int tab = widths[k] + int(qint64(extra) * widths[k] / natural);
            if (rowCount > 1 && k == row.size() - 1)
                tab = std::max(tab, width - x);
            tab = std::min(tab, std::max(0, width - x)); // a tab wider than the bar is cut
            m_rects[row[k]] = QRect(x, visual * height, tab, height);
            m_rowOf[row[k]] = visual;
            x += tab;
        }
    }
    m_rows = rowCount;
    m_layoutWidth = width;
    m_laidOut = true;
}

QSize TMultiRowTabBar::sizeHint() const
{
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width += tabSizeHint(i).width();
    return {width, rowHeight()};
}

QSize TMultiRowTabBar::minimumSizeHint() const
{
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width = std::max(width, tabSizeHint(i).width());
    return {width, heightForWidth(width)};
}

int TMultiRowTabBar::heightForWidth(int width) const
{
    return int(breakIntoRows(width).size()) * rowHeight();
}

void TMultiRowTabBar::paintEvent(QPaintEvent *)
{
    ensureLayout();
    QPainter painter(this);

    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = QTabBar::RoundedNorth;
    const int baseOverlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    base.rect = QRect(0, height() - baseOverlap, width(), baseOverlap);
    base.tabBarRect = rect();
    if (m_current >= 0 && m_rowOf[m_current] == m_rows - 1)
        base.selectedTabRect = m_rects[m_current];
    style()->drawPrimitive(QStyle::PE_FrameTabBarBase, &base, &painter, this);

    const int overlap = style()->pixelMetric(QStyle::PM_TabBarTabOverlap, nullptr, this);
    const auto paintTab = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        option.rect = m_rects[index];
        option.row = m_rowOf[index];
        // Neighbours in the same row decide how the style joins the tab's edges.
        const auto sameRow = [&](int other) {
            return other >= 0 && other < count() && m_rowOf[other] == m_rowOf[index];
        };
        const bool first = !sameRow(index - 1);
        const bool last = !sameRow(index + 1);
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first       ? QStyleOptionTab::Beginning
                          : last        ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
        if (sameRow(m_current) && m_current == index + 1)
            option.selectedPosition = QStyleOptionTab::NextIsSelected;
        else if (sameRow(m_current) && m_current == index - 1)
            option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        const int needed = tabSizeHint(index).width();
        if (option.rect.width() < needed) {
            const int room =
                option.rect.width() - (needed - fontMetrics().horizontalAdvance(option.text));
            option.text = fontMetrics().elidedText(option.text, Qt::ElideRight, std::max(0, room));
        }
        // A style may draw the current tab on down into the page; here a row may lie below.
        painter.setClipRect(option.rect.adjusted(0, 0, overlap, 0));
        style()->drawControl(QStyle::CE_TabBarTab, &option, &painter, this);
    };
    for (int i = 0; i < count(); ++i) {
        if (i != m_current)
            paintTab(i);
    }
    // The current tab last, over the edges of its neighbours.
    if (m_current >= 0)
        paintTab(m_current);
}

void TMultiRowTabBar::resizeEvent(QResizeEvent *event)
{
    const int rows = m_rows;
    ensureLayout();
    if (m_rows != rows)
        updateGeometry();
    QWidget::resizeEvent(event);
}

void TMultiRowTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        setCurrentIndex(index);
}

void TMultiRowTabBar::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(tabAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TMultiRowTabBar::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void TMultiRowTabBar::setHovered(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    update();
}

int TMultiRowTabBar::tabInNextRow(int direction) const
{
    ensureLayout();
    if (m_current < 0)
        return -1;
    const int row = m_rowOf[m_current] + direction;
    const int x = m_rects[m_current].center().x();
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        if (m_rowOf[i] != row)
            continue;
        if (best < 0 ||
            std::abs(m_rects[i].center().x() - x) < std::abs(m_rects[best].center().x() - x))
            best = i;
    }
    return best;
}

void TMultiRowTabBar::keyPressEvent(QKeyEvent *event)
{
    if (count() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int last = count() - 1;
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_PageDown:
        if (control)
            target = m_current == last ? 0 : m_current + 1;
        break;
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
        if (control)
            target = m_current == 0 ? last : m_current - 1;
        break;
    case Qt::Key_Left:
        target = std::max(0, m_current - 1);
        break;
    case Qt::Key_Right:
        target = std::min(last, m_current + 1);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = last;
        break;
    case Qt::Key_Up:
        target = tabInNextRow(-1);
        break;
    case Qt::Key_Down:
        target = tabInNextRow(+1);
        break;
    default:
        break;
    }
    if (target < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentIndex(target);
    event->accept();
}

void TMultiRowTabBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        invalidateLayout();
    QWidget::changeEvent(event);
}
