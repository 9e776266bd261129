#include "AppIcons.h"
#include "TMultiRowTabBar.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

// The multi-row tab bar with the Index's fourteen tabs: rows for the width, every caption
// whole, the current row next to the page when asked, keys, mouse and what assistive
// technology reads.
class TestMultiRowTabBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void wideBarKeepsOneRowOfNaturalTabs();
    void currentRowMovesNextToThePage_data();
    void currentRowMovesNextToThePage();
    void rowsStayInTabOrder();
    void currentTabIsPaintedInItsRow();
    void mouseAndKeys();
    void upAndDownChangeRows();
    void accessibleTabs();

private:
    void fill(int width);

    TMultiRowTabBar *m_bar = nullptr;
};

namespace {

struct IndexTab
{
    const char16_t *caption;
    const char16_t *typ;
};

// The Index's tabs in page order, with the pictures of their parts.
const IndexTab Tabs[] = {
    {u"Dzieła", u"_19701"},      {u"Twórcy", u"_19702"},        {u"Epoki", u"_19703"},
    {u"Bohaterowie", u"_19799"}, {u"Rodzaje", u"_19714"},       {u"Gatunki", u"_19704"},
    {u"Terminy", u"_19705"},     {u"Wypisy", u"_19706"},        {u"Cytaty", u"_19720"},
    {u"Filmografia", u"_19709"}, {u"Sztuka polska", u"_19712"}, {u"Kalendarium", u"_19708"},
    {u"Quiz", u"_19710"},        {u"Wprowadzenie", u"_19701"},
};
constexpr int TabCount = int(std::size(Tabs));

} // namespace

void TestMultiRowTabBar::init()
{
    m_bar = new TMultiRowTabBar;
    for (const IndexTab &tab : Tabs)
        m_bar->addTab(AppIcons::Category(QString::fromUtf16(tab.typ)),
                      QString::fromUtf16(tab.caption));
}

void TestMultiRowTabBar::cleanup()
{
    delete m_bar;
    m_bar = nullptr;
}

void TestMultiRowTabBar::fill(int width)
{
    m_bar->resize(width, m_bar->heightForWidth(width));
}

void TestMultiRowTabBar::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<TMultiRowTabBar::RowOrder>("order");
    for (const int width : {420, 640, 800, 1024, 1280, 1600}) {
        QTest::addRow("%d, tab order", width) << width << TMultiRowTabBar::TabOrder;
        QTest::addRow("%d, current row at the page", width)
            << width << TMultiRowTabBar::CurrentRowNextToPage;
    }
}

void TestMultiRowTabBar::layout()
{
    QFETCH(int, width);
    QFETCH(TMultiRowTabBar::RowOrder, order);
    m_bar->setRowOrder(order);
    m_bar->setCurrentIndex(TabCount / 2);
    fill(width);
    QCOMPARE(m_bar->count(), TabCount);

    const int rows = m_bar->rowCount();
    QVERIFY(rows >= 1);
    QCOMPARE(m_bar->height(), rows * m_bar->tabRect(0).height());
    const QFontMetrics metrics = m_bar->fontMetrics();
    QList<int> used(rows, 0);
    for (int i = 0; i < TabCount; ++i) {
        const QRect tab = m_bar->tabRect(i);
        QVERIFY2(m_bar->rect().contains(tab), qPrintable(m_bar->tabText(i)));
        // Whole caption and picture: at least what the tab needs, more than the bare text.
        QVERIFY(tab.width() >= m_bar->tabSizeHint(i).width());
        QVERIFY(tab.width() >
                metrics.horizontalAdvance(m_bar->tabText(i)) + m_bar->iconSize().width());
        QCOMPARE(tab.top(), m_bar->rowOf(i) * tab.height());
        used[m_bar->rowOf(i)] += tab.width();
        for (int j = i + 1; j < TabCount; ++j)
            QVERIFY(!tab.intersects(m_bar->tabRect(j)));
    }
    for (int row = 0; row < rows; ++row) {
        // Several rows are each stretched to the whole width; none stays empty.
        if (rows > 1)
            QCOMPARE(used[row], width);
        else
            QVERIFY(used[row] > 0 && used[row] <= width);
    }
    // No more rows than needed: the tab that starts a row would not have fitted the row before.
    int natural = 0;
    for (int i = 0; i < TabCount; ++i) {
        const int tab = m_bar->tabSizeHint(i).width();
        if (i > 0 && m_bar->rowOf(i) != m_bar->rowOf(i - 1)) {
            QVERIFY2(natural + tab > width, qPrintable(m_bar->tabText(i)));
            natural = 0;
        }
        natural += tab;
    }
}

void TestMultiRowTabBar::wideBarKeepsOneRowOfNaturalTabs()
{
    fill(4000);
    QCOMPARE(m_bar->rowCount(), 1);
    int x = 0;
    for (int i = 0; i < TabCount; ++i) {
        QCOMPARE(m_bar->tabRect(i), QRect(QPoint(x, 0), m_bar->tabSizeHint(i)));
        x += m_bar->tabSizeHint(i).width();
    }
    // Narrower, the same tabs need more rows.
    fill(x - 1);
    QCOMPARE(m_bar->rowCount(), 2);
}

void TestMultiRowTabBar::currentRowMovesNextToThePage_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1024") << 1024;
    QTest::newRow("640") << 640;
    QTest::newRow("420") << 420;
}

void TestMultiRowTabBar::currentRowMovesNextToThePage()
{
    QFETCH(int, width);
    m_bar->setRowOrder(TMultiRowTabBar::CurrentRowNextToPage);
    fill(width);
    const int rows = m_bar->rowCount();
    if (rows < 2)
        QSKIP("the tabs fit one row at this width in this font");
    for (int current = 0; current < TabCount; ++current) {
        m_bar->setCurrentIndex(current);
        QCOMPARE(m_bar->rowOf(current), rows - 1);
        QCOMPARE(m_bar->tabRect(current).bottom(), m_bar->rect().bottom());
        QCOMPARE(m_bar->rowCount(), rows);
        // The rows follow round: the row after the current one's comes to the top.
        int after = current;
        while (after < TabCount && m_bar->rowOf(after) == rows - 1)
            ++after;
        if (after < TabCount)
            QCOMPARE(m_bar->rowOf(after), 0);
        // Within a row the tabs keep their order from left to right.
        for (int i = 1; i < TabCount; ++i) {
            if (m_bar->rowOf(i) == m_bar->rowOf(i - 1))
                QVERIFY(m_bar->tabRect(i).left() == m_bar->tabRect(i - 1).right() + 1);
        }
    }
}

void TestMultiRowTabBar::rowsStayInTabOrder()
{
    fill(420);
    QVERIFY(m_bar->rowCount() >= 3);
    for (const int current : {TabCount - 1, 0, TabCount / 2}) {
        m_bar->setCurrentIndex(current);
        QCOMPARE(m_bar->rowOf(0), 0);
        QCOMPARE(m_bar->rowOf(TabCount - 1), m_bar->rowCount() - 1);
        for (int i = 1; i < TabCount; ++i)
            QVERIFY(m_bar->rowOf(i) >= m_bar->rowOf(i - 1));
    }
}

void TestMultiRowTabBar::currentTabIsPaintedInItsRow()
{
    fill(640);
    QVERIFY(m_bar->rowCount() >= 2);
    QCOMPARE(m_bar->rowOf(1), 0);
    // The rows below the top one look the same whichever tab of the top row is current.
    const int below = m_bar->tabRect(0).bottom() + 1;
    const auto lowerRows = [this, below](int current) {
        m_bar->setCurrentIndex(current);
        const QImage image = m_bar->grab().toImage();
        return image.copy(0, below, image.width(), image.height() - below);
    };
    QCOMPARE(lowerRows(0), lowerRows(1));
}

void TestMultiRowTabBar::mouseAndKeys()
{
    fill(640);
    m_bar->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_bar));
    QCOMPARE(m_bar->currentIndex(), 0); // the first tab added is current
    QSignalSpy changed(m_bar, &TMultiRowTabBar::currentChanged);

    QTest::mouseClick(m_bar, Qt::LeftButton, {}, m_bar->tabRect(9).center());
    QCOMPARE(m_bar->currentIndex(), 9);
    QTest::mouseClick(m_bar, Qt::RightButton, {}, m_bar->tabRect(3).center());
    QCOMPARE(m_bar->currentIndex(), 9);

    struct Step
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    };
    const Step steps[] = {
        {Qt::Key_Right, {}, 10},
        {Qt::Key_Left, {}, 9},
        {Qt::Key_End, {}, TabCount - 1},
        {Qt::Key_Right, {}, TabCount - 1},     // the arrows stop at the ends
        {Qt::Key_Tab, Qt::ControlModifier, 0}, // Ctrl+Tab goes round
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, TabCount - 1},
        {Qt::Key_PageUp, Qt::ControlModifier, TabCount - 2},
        {Qt::Key_PageDown, Qt::ControlModifier, TabCount - 1},
        {Qt::Key_Home, {}, 0},
        {Qt::Key_Left, {}, 0},
    };
    for (const Step &step : steps) {
        QTest::keyClick(m_bar, Qt::Key(step.key), step.modifiers);
        QCOMPARE(m_bar->currentIndex(), step.expected);
    }
    // One signal per change, with the new index.
    QCOMPARE(changed.size(), 9);
    QCOMPARE(changed.first().first().toInt(), 9);
    QCOMPARE(changed.last().first().toInt(), 0);
}

void TestMultiRowTabBar::upAndDownChangeRows()
{
    fill(420);
    const int rows = m_bar->rowCount();
    QVERIFY(rows >= 3);
    m_bar->setCurrentIndex(0);
    QTest::keyClick(m_bar, Qt::Key_Up);
    QCOMPARE(m_bar->currentIndex(), 0); // no row above the first
    for (int row = 1; row < rows; ++row) {
        const int x = m_bar->tabRect(m_bar->currentIndex()).center().x();
        QTest::keyClick(m_bar, Qt::Key_Down);
        const int current = m_bar->currentIndex();
        QCOMPARE(m_bar->rowOf(current), row);
        // The tab straight below: no tab of its row stands nearer under the one it came from.
        const int distance = std::abs(m_bar->tabRect(current).center().x() - x);
        for (int i = 0; i < TabCount; ++i) {
            if (m_bar->rowOf(i) == row)
                QVERIFY(std::abs(m_bar->tabRect(i).center().x() - x) >= distance);
        }
    }
    const int last = m_bar->currentIndex();
    QTest::keyClick(m_bar, Qt::Key_Down);
    QCOMPARE(m_bar->currentIndex(), last); // no row below the last
    QTest::keyClick(m_bar, Qt::Key_Up);
    QCOMPARE(m_bar->rowOf(m_bar->currentIndex()), rows - 2);
}

void TestMultiRowTabBar::accessibleTabs()
{
    fill(1024);
    m_bar->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_bar));
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(m_bar);
    QVERIFY(bar);
    QCOMPARE(bar->role(), QAccessible::PageTabList);
    QCOMPARE(bar->childCount(), TabCount);
    m_bar->setCurrentIndex(4);
    for (int i = 0; i < TabCount; ++i) {
        QAccessibleInterface *tab = bar->child(i);
        QVERIFY(tab && tab->isValid());
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->text(QAccessible::Name), QString::fromUtf16(Tabs[i].caption));
        QCOMPARE(bool(tab->state().selected), i == 4);
        QCOMPARE(tab->rect(),
                 QRect(m_bar->mapToGlobal(m_bar->tabRect(i).topLeft()), m_bar->tabRect(i).size()));
        QCOMPARE(tab->parent(), bar);
        QCOMPARE(bar->indexOfChild(tab), i);
        QCOMPARE(bar->child(i), tab); // the same interface each time
    }
    const QPoint middle = m_bar->mapToGlobal(m_bar->tabRect(7).center());
    QCOMPARE(bar->childAt(middle.x(), middle.y()), bar->child(7));
    // Pressing a tab makes it current.
    QAccessibleActionInterface *press = bar->child(11)->actionInterface();
    QVERIFY(press);
    press->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_bar->currentIndex(), 11);
}

QTEST_MAIN(TestMultiRowTabBar)
#include "tst_multirowtabbar.moc"
