#include "ToolbarLayout.h"

#include <QMainWindow>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <climits>
#include <memory>

using Placement = std::optional<ToolbarPlacement>;

namespace {

// A main window with the two toolbars in their design place: both in the top area, on one
// line, "tbMenu" first.
class Shell : public QMainWindow
{
public:
    Shell()
    {
        setCentralWidget(new QWidget(this));
        resize(1000, 700);
    }

    bool showExposed()
    {
        show();
        return QTest::qWaitForWindowExposed(this);
    }

    void restore(const Placement &menuPlacement, const Placement &indeksPlacement)
    {
        ToolbarLayout::restore(*this, {{menu, menuPlacement}, {indeks, indeksPlacement}});
    }

    ToolbarPlacement placementOf(const QToolBar *toolbar) const
    {
        return ToolbarLayout::capture(*this, *toolbar);
    }

    QToolBar *const menu = addButtons(QStringLiteral("tbMenu"), 12);
    QToolBar *const indeks = addButtons(QStringLiteral("tbIndeks"), 4);

private:
    QToolBar *addButtons(const QString &name, int count)
    {
        QToolBar *toolbar = addToolBar(name);
        toolbar->setObjectName(name);
        for (int i = 0; i < count; ++i)
            toolbar->addAction(QString::number(i));
        return toolbar;
    }
};

ToolbarPlacement docked(const QString &dock, int row = 0, int pos = 0)
{
    ToolbarPlacement placement;
    placement.dockedTo = dock;
    placement.dockRow = row;
    placement.dockPos = pos;
    return placement;
}

ToolbarPlacement floating(const QString &lastDock, int left, int top)
{
    ToolbarPlacement placement;
    placement.dockedTo = QStringLiteral("+");
    placement.lastDock = lastDock;
    placement.floatLeft = left;
    placement.floatTop = top;
    return placement;
}

ToolbarPlacement hidden(ToolbarPlacement placement)
{
    placement.visible = false;
    return placement;
}

QString describe(const ToolbarPlacement &p)
{
    return QStringLiteral("rev %1, visible %2, docked to '%3', last dock '%4', row %5, pos %6, "
                          "float %7,%8")
        .arg(p.rev)
        .arg(p.visible)
        .arg(p.dockedTo, p.lastDock)
        .arg(p.dockRow)
        .arg(p.dockPos)
        .arg(p.floatLeft)
        .arg(p.floatTop);
}

bool isHorizontal(Qt::ToolBarArea area)
{
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

int distanceFromEdge(Qt::ToolBarArea area, const QMainWindow &window, const QToolBar &toolbar)
{
    const QRect r = toolbar.geometry();
    switch (area) {
    case Qt::BottomToolBarArea:
        return window.height() - 1 - r.bottom();
    case Qt::LeftToolBarArea:
        return r.left();
    case Qt::RightToolBarArea:
        return window.width() - 1 - r.right();
    default:
        return r.top();
    }
}

const QString top = QStringLiteral("Dock971");
const QString bottom = QStringLiteral("Dock972");
const QString left = QStringLiteral("Dock973");
const QString right = QStringLiteral("Dock974");

} // namespace

class TestToolbarLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designLayoutIsOneTopLine();
    void rowsCountFromTheEdge_data();
    void rowsCountFromTheEdge();
    void oneLineOrderedByOffset_data();
    void oneLineOrderedByOffset();
    void floats_data();
    void floats();
    void floatingWaitsForItsWindow_data();
    void floatingWaitsForItsWindow();
    void floatingStaysOnScreen_data();
    void floatingStaysOnScreen();
    void hiddenKeepsItsPlace_data();
    void hiddenKeepsItsPlace();
    void keepsDesignPlace_data();
    void keepsDesignPlace();
    void nonsenseGivesSaneLines_data();
    void nonsenseGivesSaneLines();
    void survivesRestart_data();
    void survivesRestart();
};

void TestToolbarLayout::designLayoutIsOneTopLine()
{
    Shell shell;
    QVERIFY(shell.showExposed());

    const ToolbarPlacement menu = shell.placementOf(shell.menu);
    const ToolbarPlacement indeks = shell.placementOf(shell.indeks);
    QCOMPARE(describe(menu), describe(docked(top, 0, 0)));
    QCOMPARE(indeks.rev, 3);
    QVERIFY(indeks.visible);
    QCOMPARE(indeks.dockedTo, top);
    QCOMPARE(indeks.lastDock, QString());
    QCOMPARE(indeks.dockRow, 0);
    QCOMPARE(indeks.dockPos, shell.menu->width());
    QVERIFY(indeks.dockPos > 0);
}

void TestToolbarLayout::rowsCountFromTheEdge_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<Qt::ToolBarArea>("area");

    QTest::newRow("top") << top << Qt::TopToolBarArea;
    QTest::newRow("bottom") << bottom << Qt::BottomToolBarArea;
    QTest::newRow("left") << left << Qt::LeftToolBarArea;
    QTest::newRow("right") << right << Qt::RightToolBarArea;
    QTest::newRow("name in other case") << QStringLiteral("dOCK974") << Qt::RightToolBarArea;
}

void TestToolbarLayout::rowsCountFromTheEdge()
{
    QFETCH(QString, dock);
    QFETCH(Qt::ToolBarArea, area);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(docked(dock, 0), docked(dock, 1));

    QCOMPARE(shell.toolBarArea(shell.menu), area);
    QCOMPARE(shell.toolBarArea(shell.indeks), area);
    QCOMPARE(shell.indeks->orientation(), isHorizontal(area) ? Qt::Horizontal : Qt::Vertical);
    const ToolbarPlacement menu = shell.placementOf(shell.menu);
    const ToolbarPlacement indeks = shell.placementOf(shell.indeks);
    QCOMPARE(menu.dockRow, 0);
    QCOMPARE(indeks.dockRow, 1);
    QCOMPARE(indeks.dockPos, 0);
    QCOMPARE(distanceFromEdge(area, shell, *shell.menu), 0);
    QCOMPARE(distanceFromEdge(area, shell, *shell.indeks),
             isHorizontal(area) ? shell.menu->height() : shell.menu->width());
}

void TestToolbarLayout::oneLineOrderedByOffset_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<int>("menuPos");
    QTest::addColumn<int>("indeksPos");

    QTest::newRow("swapped, packed") << top << 10 << 0;
    QTest::newRow("swapped, with a gap") << top << 500 << 0;
    QTest::newRow("design order, with a gap") << top << 0 << 600;
    QTest::newRow("bottom, with a gap") << bottom << 0 << 700;
    QTest::newRow("left, with a gap") << left << 0 << 450;
    QTest::newRow("right, swapped, packed") << right << 40 << 0;
}

// The first toolbar starts the line; the other lies at its offset, or right after the first
// where that would overlap it.
void TestToolbarLayout::oneLineOrderedByOffset()
{
    QFETCH(QString, dock);
    QFETCH(int, menuPos);
    QFETCH(int, indeksPos);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(docked(dock, 0, menuPos), docked(dock, 0, indeksPos));
    QCoreApplication::processEvents();

    const ToolbarPlacement menu = shell.placementOf(shell.menu);
    const ToolbarPlacement indeks = shell.placementOf(shell.indeks);
    QCOMPARE(menu.dockedTo, indeks.dockedTo);
    QCOMPARE(menu.dockRow, 0);
    QCOMPARE(indeks.dockRow, 0);
    const bool menuFirst = menuPos < indeksPos;
    const QToolBar *first = menuFirst ? shell.menu : shell.indeks;
    const QSize firstHint = first->sizeHint();
    const int firstLength =
        first->orientation() == Qt::Horizontal ? firstHint.width() : firstHint.height();
    QCOMPARE((menuFirst ? menu : indeks).dockPos, 0);
    QCOMPARE((menuFirst ? indeks : menu).dockPos,
             std::max(menuFirst ? indeksPos : menuPos, firstLength));
}

void TestToolbarLayout::floats_data()
{
    QTest::addColumn<QString>("lastDock");
    QTest::addColumn<QString>("returnsTo");

    QTest::newRow("from the left") << left << left;
    QTest::newRow("from the bottom") << bottom << bottom;
    QTest::newRow("no last dock") << QString() << top;
    QTest::newRow("unknown last dock") << QStringLiteral("Dock975") << top;
}

void TestToolbarLayout::floats()
{
    QFETCH(QString, lastDock);
    QFETCH(QString, returnsTo);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(std::nullopt, floating(lastDock, 300, 250));

    QVERIFY(shell.indeks->isFloating());
    QVERIFY(shell.indeks->isVisible());
    QCOMPARE(shell.indeks->parentWidget(), &shell);
    QCOMPARE(shell.indeks->pos(), QPoint(300, 250));
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(floating(returnsTo, 300, 250)));
    // The line it left closes up.
    QCOMPARE(describe(shell.placementOf(shell.menu)), describe(docked(top, 0, 0)));

    // Docked again by code, it goes back to its last dock.
    shell.addToolBar(shell.toolBarArea(shell.indeks), shell.indeks);
    QVERIFY(!shell.indeks->isFloating());
    QCOMPARE(shell.placementOf(shell.indeks).dockedTo, returnsTo);
}

void TestToolbarLayout::floatingWaitsForItsWindow_data()
{
    QTest::addColumn<bool>("visible");

    QTest::newRow("shown") << true;
    QTest::newRow("hidden") << false;
}

// Restored into a window not shown yet, a floating toolbar appears with the window, not before.
void TestToolbarLayout::floatingWaitsForItsWindow()
{
    QFETCH(bool, visible);
    Shell shell;
    ToolbarPlacement stored = floating(left, 300, 250);
    stored.visible = visible;

    shell.restore(std::nullopt, stored);

    QVERIFY(shell.indeks->isFloating());
    QVERIFY(!shell.indeks->isVisible());
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(stored));
    QVERIFY(shell.showExposed());
    QCoreApplication::processEvents();
    QCOMPARE(shell.indeks->isVisible(), visible);
    QCOMPARE(shell.indeks->pos(), QPoint(300, 250));
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(stored));
}

void TestToolbarLayout::floatingStaysOnScreen_data()
{
    QTest::addColumn<QPoint>("stored");

    QTest::newRow("far left and above") << QPoint(-5000, -5000);
    QTest::newRow("far right and below") << QPoint(100000, 100000);
    QTest::newRow("half off the right edge") << QPoint(790, 100);
    QTest::newRow("extremes") << QPoint(INT_MIN, INT_MAX);
}

void TestToolbarLayout::floatingStaysOnScreen()
{
    QFETCH(QPoint, stored);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(std::nullopt, floating(left, stored.x(), stored.y()));

    QVERIFY(shell.indeks->isFloating());
    const QRect geometry = shell.indeks->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(geometry.center());
    QVERIFY(screen);
    QVERIFY2(screen->availableGeometry().contains(geometry),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(geometry.x())
                            .arg(geometry.y())
                            .arg(geometry.width())
                            .arg(geometry.height())));
    const ToolbarPlacement indeks = shell.placementOf(shell.indeks);
    QCOMPARE(QPoint(indeks.floatLeft, indeks.floatTop), geometry.topLeft());
}

void TestToolbarLayout::hiddenKeepsItsPlace_data()
{
    QTest::addColumn<ToolbarPlacement>("stored");

    QTest::newRow("docked") << hidden(docked(bottom));
    QTest::newRow("floating") << hidden(floating(right, 200, 150));
}

void TestToolbarLayout::hiddenKeepsItsPlace()
{
    QFETCH(ToolbarPlacement, stored);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(std::nullopt, stored);

    QVERIFY(!shell.indeks->isVisible());
    QVERIFY(shell.menu->isVisible());
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(stored));

    shell.indeks->show();
    stored.visible = true;
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(stored));
}

void TestToolbarLayout::keepsDesignPlace_data()
{
    QTest::addColumn<Placement>("stored");
    QTest::addColumn<bool>("visible");

    QTest::newRow("no placement") << Placement() << true;
    QTest::newRow("no dock") << Placement(docked(QString(), 1, 20)) << true;
    QTest::newRow("no dock, hidden") << Placement(hidden(docked(QString(), 1, 20))) << false;
    QTest::newRow("unknown dock") << Placement(docked(QStringLiteral("Dock975"), 1, 20)) << true;
    QTest::newRow("nameless dock") << Placement(docked(QStringLiteral("Dock"))) << true;
}

void TestToolbarLayout::keepsDesignPlace()
{
    QFETCH(Placement, stored);
    QFETCH(bool, visible);
    Shell shell;
    QVERIFY(shell.showExposed());
    const ToolbarPlacement menuBefore = shell.placementOf(shell.menu);
    ToolbarPlacement indeksBefore = shell.placementOf(shell.indeks);

    shell.restore(std::nullopt, stored);

    QCOMPARE(shell.indeks->isVisible(), visible);
    indeksBefore.visible = visible;
    QCOMPARE(describe(shell.placementOf(shell.indeks)), describe(indeksBefore));
    QCOMPARE(describe(shell.placementOf(shell.menu)), describe(menuBefore));
}

void TestToolbarLayout::nonsenseGivesSaneLines_data()
{
    QTest::addColumn<ToolbarPlacement>("menuStored");
    QTest::addColumn<ToolbarPlacement>("indeksStored");
    QTest::addColumn<int>("indeksRow");

    QTest::newRow("negative rows and offsets") << docked(top, -3, -50) << docked(top, -1, -10) << 0;
    QTest::newRow("huge row") << docked(left, 0) << docked(left, INT_MAX) << 1;
    QTest::newRow("negative before zero") << docked(right, 0) << docked(right, INT_MIN) << 0;
    QTest::newRow("huge offset") << docked(top, 0) << docked(top, 0, INT_MAX) << 0;
    QTest::newRow("huge offsets, swapped")
        << docked(bottom, 0, INT_MAX) << docked(bottom, 0, INT_MAX - 1) << 0;
}

// Every toolbar ends up on a line of its area, inside the window.
void TestToolbarLayout::nonsenseGivesSaneLines()
{
    QFETCH(ToolbarPlacement, menuStored);
    QFETCH(ToolbarPlacement, indeksStored);
    QFETCH(int, indeksRow);
    Shell shell;
    QVERIFY(shell.showExposed());

    shell.restore(menuStored, indeksStored);
    QCoreApplication::processEvents();

    QCOMPARE(shell.placementOf(shell.indeks).dockedTo, indeksStored.dockedTo);
    QCOMPARE(shell.placementOf(shell.indeks).dockRow, indeksRow);
    for (const QToolBar *toolbar : {shell.menu, shell.indeks}) {
        QVERIFY(toolbar->isVisible());
        QVERIFY(shell.rect().contains(toolbar->geometry()));
        QVERIFY(toolbar->width() >= toolbar->minimumSizeHint().width());
        QVERIFY(toolbar->height() >= toolbar->minimumSizeHint().height());
        // Far offsets must not overflow what the window asks for.
        QVERIFY(shell.sizeHint().width() >= toolbar->sizeHint().width());
        QVERIFY(shell.sizeHint().height() >= toolbar->sizeHint().height());
    }
}

void TestToolbarLayout::survivesRestart_data()
{
    QTest::addColumn<Placement>("menuStored");
    QTest::addColumn<Placement>("indeksStored");

    QTest::newRow("design") << Placement() << Placement();
    QTest::newRow("two lines on the right")
        << Placement(docked(right, 0)) << Placement(docked(right, 1));
    QTest::newRow("bottom line with a gap")
        << Placement(docked(bottom, 0)) << Placement(docked(bottom, 0, 600));
    QTest::newRow("left, swapped with a gap")
        << Placement(docked(left, 0, 400)) << Placement(docked(left, 0));
    QTest::newRow("floating") << Placement(docked(top)) << Placement(floating(bottom, 320, 240));
    QTest::newRow("hidden on the left") << Placement() << Placement(hidden(docked(left)));
}

// What is captured at exit, once the window has closed, and restored into the next run's window
// before it is shown comes back the same.
void TestToolbarLayout::survivesRestart()
{
    QFETCH(Placement, menuStored);
    QFETCH(Placement, indeksStored);
    auto before = std::make_unique<Shell>();
    QVERIFY(before->showExposed());
    before->restore(menuStored, indeksStored);
    QCoreApplication::processEvents();
    before->close();
    const ToolbarPlacement menu = before->placementOf(before->menu);
    const ToolbarPlacement indeks = before->placementOf(before->indeks);
    before.reset();

    Shell after;
    after.restore(menu, indeks);
    // Already so before the window is first shown, should the run end there.
    QCOMPARE(describe(after.placementOf(after.menu)), describe(menu));
    QCOMPARE(describe(after.placementOf(after.indeks)), describe(indeks));
    QVERIFY(after.showExposed());

    QCOMPARE(describe(after.placementOf(after.menu)), describe(menu));
    QCOMPARE(describe(after.placementOf(after.indeks)), describe(indeks));
}

QTEST_MAIN(TestToolbarLayout)

#include "tst_toolbarlayout.moc"
