#include "ChildPlacement.h"
#include "ContentError.h"
#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmWzorBazowy.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

class FakeDocument : public TfrmWzorBazowy
{
public:
    FakeDocument() { setFocusPolicy(Qt::StrongFocus); }
    void LoadDocument(const QString &typ, const QString &numer) override
    {
        if (numer == u"unreadable")
            throw ContentError(QStringLiteral("Błąd odczytu pliku"));
        setWindowTitle(typ + u'/' + numer);
    }
};

QMdiSubWindow *subOf(QWidget *window)
{
    return qobject_cast<QMdiSubWindow *>(window->parentWidget());
}

} // namespace

class TestChildWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nextPlace_data();
    void nextPlace();
    void cascadeAndTilePlaces_data();
    void cascadeAndTilePlaces();

    void newWindowOpensMaximisedWhenTheActiveOneIs();
    void newWindowOpensCascadedAndReadable();
    void openingWithTheMainWindowDisabledLeavesTheNewWindowActive();
    void closingReturnsToThePreviousWindow();
    void closingGoesBackAlongTheReadersPath();
    void aWindowComesBackWithItsFocus();
    void aWindowThatCannotLoadReturnsToThePreviousOne_data();
    void aWindowThatCannotLoadReturnsToThePreviousOne();
    void arrangingKeepsEveryTitleBarInside_data();
    void arrangingKeepsEveryTitleBarInside();
    void platformKeys();

private:
    FakeDocument *open(const QString &numer);
    void expectTitleBarsInside() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_store;
    FakeHelp m_help;
    std::unique_ptr<TPulpit> m_pulpit;
};

void TestChildWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.conf")),
                                             QSettings::IniFormat);
    m_store = std::make_unique<SettingsStore>(*m_settings);
    useSkin(*m_dir);
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    TPulpit::Environment environment;
    environment.settings = m_store.get();
    environment.help = &m_help;
    environment.screenDepth = 32;
    environment.soundAvailable = false;
    m_pulpit = std::make_unique<TPulpit>(environment);
    SetPulpit(m_pulpit.get());
    m_pulpit->RegisterIndexClass([] { return new TfrmIndeks; });
    m_pulpit->RegisterDocumentClass(QStringLiteral("_19701"), [] { return new FakeDocument; });
    m_pulpit->resize(1024, 768);
    m_pulpit->show();
    QApplication::setActiveWindow(m_pulpit.get());
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit.get()));
}

void TestChildWindows::cleanup()
{
    SetPulpit(nullptr);
    m_pulpit.reset();
    m_store.reset();
    m_settings.reset();
    MessageBoxes::setHandler(nullptr);
    Paths::setBmpsFolder(QString());
}

FakeDocument *TestChildWindows::open(const QString &numer)
{
    m_pulpit->OpenDocument(QStringLiteral("_19701"), numer);
    QCoreApplication::processEvents();
    for (TfrmWzorBazowy *window : m_pulpit->ChildWindows()) {
        if (window->Numer() == numer)
            return static_cast<FakeDocument *>(window);
    }
    return nullptr;
}

void TestChildWindows::nextPlace_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("previous"); // null: none
    QTest::addColumn<QRect>("expected");

    const QRect area(0, 0, 800, 600);
    QTest::newRow("first") << area << QRect() << QRect(0, 0, 600, 450);
    QTest::newRow("below and right") << area << QRect(40, 40, 600, 450) << QRect(70, 70, 600, 450);
    QTest::newRow("last step that fits")
        << area << QRect(170, 120, 600, 450) << QRect(200, 150, 600, 450);
    QTest::newRow("past the bottom: back to the corner")
        << area << QRect(171, 121, 600, 450) << QRect(0, 0, 600, 450);
    QTest::newRow("previous moved off the area")
        << area << QRect(-300, 900, 600, 450) << QRect(0, 0, 600, 450);
}

void TestChildWindows::nextPlace()
{
    QFETCH(QRect, area);
    QFETCH(QRect, previous);
    QFETCH(QRect, expected);
    const std::optional<QRect> before =
        previous.isNull() ? std::nullopt : std::optional<QRect>(previous);
    QCOMPARE(ChildPlacement::next(area, before, 30), expected);
}

void TestChildWindows::cascadeAndTilePlaces_data()
{
    QTest::addColumn<int>("count");
    for (int n : {1, 2, 3, 4, 5, 7, 12, 20})
        QTest::addRow("%d windows", n) << n;
}

void TestChildWindows::cascadeAndTilePlaces()
{
    QFETCH(int, count);
    const QRect area(0, 0, 1000, 640);
    const QList<QRect> cascade = ChildPlacement::cascade(area, count, 26);
    QCOMPARE(cascade.size(), count);
    for (int i = 0; i < count; ++i) {
        QVERIFY2(area.contains(cascade[i]), qPrintable(QStringLiteral("window %1").arg(i)));
        if (i > 0 && cascade[i].topLeft() != area.topLeft())
            QCOMPARE(cascade[i].topLeft(), cascade[i - 1].topLeft() + QPoint(26, 26));
    }
    for (bool columns : {true, false}) {
        const QList<QRect> tiles = ChildPlacement::tile(area, count, columns);
        QCOMPARE(tiles.size(), count);
        int covered = 0;
        for (int i = 0; i < count; ++i) {
            QVERIFY(area.contains(tiles[i]));
            covered += tiles[i].width() * tiles[i].height();
            for (int j = 0; j < i; ++j)
                QVERIFY(!tiles[i].intersects(tiles[j]));
        }
        // Only the rounding of the divisions is left over.
        QVERIFY(covered > area.width() * area.height() * 95 / 100);
    }
}

void TestChildWindows::newWindowOpensMaximisedWhenTheActiveOneIs()
{
    FakeDocument *first = open(QStringLiteral("1"));
    subOf(first)->showMaximized();
    FakeDocument *second = open(QStringLiteral("2"));
    QVERIFY(second);
    QVERIFY(subOf(second)->isMaximized());
    QCOMPARE(m_pulpit->ActiveChild(), second);
    QVERIFY(second->hasFocus());
}

void TestChildWindows::newWindowOpensCascadedAndReadable()
{
    const QRect area = m_pulpit->MdiArea()->viewport()->rect();
    FakeDocument *first = open(QStringLiteral("1"));
    FakeDocument *second = open(QStringLiteral("2"));
    QVERIFY(!subOf(first)->isMaximized() && !subOf(second)->isMaximized());
    QCOMPARE(subOf(first)->geometry(),
             QRect(area.topLeft(), QSize(area.width() * 3 / 4, area.height() * 3 / 4)));
    const QPoint step = subOf(second)->pos() - subOf(first)->pos();
    QVERIFY(step.x() > 0 && step.x() == step.y());
    QCOMPARE(subOf(second)->size(), subOf(first)->size());
    QCOMPARE(m_pulpit->ActiveChild(), second);
    QVERIFY(second->hasFocus());
    for (int i = 3; i < 15; ++i)
        QVERIFY(area.contains(subOf(open(QString::number(i)))->geometry()));
}

void TestChildWindows::openingWithTheMainWindowDisabledLeavesTheNewWindowActive()
{
    // As a list opens its entry: the main window is disabled around the opening, and
    // enabling it again must not hand the activation back to the list's window.
    FakeDocument *list = open(QStringLiteral("1"));
    subOf(list)->showMaximized();
    list->setFocus();
    m_pulpit->setEnabled(false);
    m_pulpit->OpenDocument(QStringLiteral("_19701"), QStringLiteral("2"));
    m_pulpit->setEnabled(true);
    list->setFocus();
    QCoreApplication::processEvents();
    TfrmWzorBazowy *opened = m_pulpit->ActiveChild();
    QVERIFY(opened);
    QCOMPARE(opened->Numer(), QStringLiteral("2"));
    QVERIFY(opened->hasFocus());
    QVERIFY(subOf(opened)->isMaximized());
}

void TestChildWindows::closingReturnsToThePreviousWindow()
{
    FakeDocument *a = open(QStringLiteral("1"));
    FakeDocument *b = open(QStringLiteral("2"));
    FakeDocument *c = open(QStringLiteral("3"));
    QCOMPARE(m_pulpit->ActiveChild(), c);
    QVERIFY(b);
    m_pulpit->MdiArea()->setActiveSubWindow(subOf(a));
    m_pulpit->MdiArea()->setActiveSubWindow(subOf(c));
    subOf(c)->close();
    QCoreApplication::processEvents();
    QCOMPARE(m_pulpit->ActiveChild(), a);
    QVERIFY(a->hasFocus());
}

// Each window opened from the one before it; closing goes back one step at a time, past a
// window closed in between, and never to the Index the reader did not come from.
void TestChildWindows::closingGoesBackAlongTheReadersPath()
{
    m_pulpit->btIndeksClick();
    FakeDocument *a = open(QStringLiteral("1"));
    FakeDocument *b = open(QStringLiteral("2"));
    FakeDocument *c = open(QStringLiteral("3"));
    FakeDocument *d = open(QStringLiteral("4"));
    QVERIFY(a && b && c && d);
    QCOMPARE(m_pulpit->ActiveChild(), d);
    const auto closeActive = [this] {
        QTest::keyClick(m_pulpit.get(), Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    };
    closeActive();
    QCOMPARE(m_pulpit->ActiveChild(), c);
    QVERIFY(c->hasFocus());
    subOf(b)->close(); // by the window limit, say
    closeActive();
    QCOMPARE(m_pulpit->ActiveChild(), a);
    QVERIFY(a->hasFocus());
}

// Brought to the front again, a window gives the keys to the control the reader left it in.
void TestChildWindows::aWindowComesBackWithItsFocus()
{
    FakeDocument *a = open(QStringLiteral("1"));
    auto *first = new QLineEdit(a);
    auto *second = new QLineEdit(a);
    auto *layout = new QVBoxLayout(a);
    layout->addWidget(first);
    layout->addWidget(second);
    first->show();
    second->show();
    second->setFocus();
    QVERIFY(second->hasFocus());
    FakeDocument *b = open(QStringLiteral("2"));
    QVERIFY(b->hasFocus());
    QVERIFY(m_pulpit->BringToFrontIfOpen(QStringLiteral("_19701"), QStringLiteral("1")));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), second);
}

void TestChildWindows::aWindowThatCannotLoadReturnsToThePreviousOne_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("cascaded") << false;
    QTest::newRow("maximised") << true;
}

void TestChildWindows::aWindowThatCannotLoadReturnsToThePreviousOne()
{
    QFETCH(bool, maximised);
    m_pulpit->btIndeksClick();
    FakeDocument *a = open(QStringLiteral("1"));
    if (maximised)
        subOf(a)->showMaximized();
    else
        subOf(a)->showNormal();
    const auto before = m_pulpit->ChildWindows().size();
    QVERIFY(!open(QStringLiteral("unreadable")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCOMPARE(m_pulpit->ChildWindows().size(), before);
    QCOMPARE(m_pulpit->ActiveChild(), a);
    QVERIFY(a->hasFocus());
    QCOMPARE(subOf(a)->isMaximized(), maximised);
}

void TestChildWindows::arrangingKeepsEveryTitleBarInside_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("documents");
    for (const char *command : {"btCascadeWind", "btTileVert", "btTileHoriz"}) {
        for (int n : {1, 3, 6})
            QTest::addRow("%s, Index and %d", command, n) << QString::fromLatin1(command) << n;
    }
}

void TestChildWindows::arrangingKeepsEveryTitleBarInside()
{
    QFETCH(QString, command);
    QFETCH(int, documents);
    m_pulpit->btIndeksClick();
    for (int i = 1; i <= documents; ++i)
        open(QString::number(i));
    m_pulpit->Action(command)->trigger();
    QCoreApplication::processEvents();
    const QRect area = m_pulpit->MdiArea()->viewport()->rect();
    const int titleBar = m_pulpit->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QList<QMdiSubWindow *> windows = m_pulpit->MdiArea()->subWindowList();
    QCOMPARE(windows.size(), documents + 1);
    for (QMdiSubWindow *sub : windows) {
        QVERIFY2(!sub->isMaximized(), qPrintable(sub->windowTitle()));
        const QRect bar(sub->geometry().topLeft(), QSize(std::min(sub->width(), 100), titleBar));
        QVERIFY2(area.contains(bar), qPrintable(sub->windowTitle()));
    }
    if (command == u"btCascadeWind") {
        // The active window lies on top, and the title bars of the others show above it.
        QMdiSubWindow *active = m_pulpit->MdiArea()->activeSubWindow();
        QCOMPARE(m_pulpit->MdiArea()->subWindowList(QMdiArea::StackingOrder).last(), active);
        for (QMdiSubWindow *sub : windows) {
            if (sub != active)
                QVERIFY(sub->y() < active->y() || active->pos() == area.topLeft());
        }
    }
}

void TestChildWindows::platformKeys()
{
    m_pulpit->btIndeksClick();
    open(QStringLiteral("1"));
    FakeDocument *b = open(QStringLiteral("2"));
    QCOMPARE(m_pulpit->ActiveChild(), b);

    QTest::keyClick(b, Qt::Key_Tab, Qt::ControlModifier);
    TfrmWzorBazowy *next = m_pulpit->ActiveChild();
    QVERIFY(next != b);
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_pulpit->ActiveChild(), b);

    // Closed, it hands over to the window that was active before it.
    QTest::keyClick(b, Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(m_pulpit->ChildWindows().size(), 2);
    QCOMPARE(m_pulpit->ActiveChild(), next);

    // The Index stays: it refuses to close.
    m_pulpit->btIndeksClick();
    QCOMPARE(m_pulpit->ActiveChild()->Typ(), QStringLiteral("_19700"));
    QTest::keyClick(m_pulpit->ActiveChild(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(m_pulpit->ChildWindows().size(), 2);
}

QTEST_MAIN(TestChildWindows)
#include "tst_childwindows.moc"
