#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "ReaderHistory.h"
#include "ReaderStore.h"
#include "SettingsStore.h"
#include "SqliteDatabase.h"
#include "TPulpit.h"
#include "TfrmWzorBazowy.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Typ = QStringLiteral("_19701");

class FakeDocument : public TfrmWzorBazowy
{
public:
    FakeDocument() { setFocusPolicy(Qt::StrongFocus); }
    void LoadDocument(const QString & /*typ*/, const QString &numer) override
    {
        setWindowTitle(QStringLiteral("Hasło ") + numer);
    }
};

// How the reader takes a step along the path.
enum class Way { Keys, Mouse, Menu };

} // namespace

Q_DECLARE_METATYPE(Way)

class TestHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void backReopensAClosedWindowAndForwardReturns_data();
    void backReopensAClosedWindowAndForwardReturns();
    void aNewVisitAfterBackDropsThePlacesAhead();
    void everyEntryShownIsRecorded();
    void theMenuListsTheRecentEntriesAndOpensOne();
    void theHelpModeRecordsNothing();
    void aStoreProblemGoesToTheStatusBar();

private:
    void startPulpit(ReaderStore &store);
    TfrmWzorBazowy *open(const QString &numer);
    TfrmWzorBazowy *windowOf(const QString &numer) const;
    QString activeNumer() const;
    QMenu *historyMenu() const;
    void step(Way way, bool forward);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_settingsStore;
    std::unique_ptr<ReaderStore> m_readerStore;
    FakeHelp m_help;
    int m_messageBoxes = 0;
    std::unique_ptr<TPulpit> m_pulpit;
};

void TestHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.conf")),
                                             QSettings::IniFormat);
    m_settingsStore = std::make_unique<SettingsStore>(*m_settings);
    useSkin(*m_dir);
    m_messageBoxes = 0;
    MessageBoxes::setHandler([this](const MessageBoxes::Message &) {
        ++m_messageBoxes;
        return QMessageBox::Ok;
    });
    m_readerStore =
        std::make_unique<ReaderStore>(m_dir->filePath(QStringLiteral("czytelnik.sqlite")));
    startPulpit(*m_readerStore);
}

void TestHistory::startPulpit(ReaderStore &store)
{
    SetPulpit(nullptr);
    m_pulpit.reset();
    TPulpit::Environment environment;
    environment.settings = m_settingsStore.get();
    environment.help = &m_help;
    environment.screenDepth = 32;
    environment.soundAvailable = false;
    environment.readerStore = &store;
    m_pulpit = std::make_unique<TPulpit>(environment);
    SetPulpit(m_pulpit.get());
    m_pulpit->RegisterDocumentClass(Typ, [] { return new FakeDocument; });
    m_pulpit->resize(1024, 768);
    m_pulpit->show();
    QApplication::setActiveWindow(m_pulpit.get());
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit.get()));
}

void TestHistory::cleanup()
{
    SetPulpit(nullptr);
    m_pulpit.reset();
    m_readerStore.reset();
    m_settingsStore.reset();
    m_settings.reset();
    MessageBoxes::setHandler(nullptr);
    Paths::setBmpsFolder(QString());
}

TfrmWzorBazowy *TestHistory::open(const QString &numer)
{
    m_pulpit->OpenDocument(Typ, numer);
    QCoreApplication::processEvents();
    return windowOf(numer);
}

TfrmWzorBazowy *TestHistory::windowOf(const QString &numer) const
{
    for (TfrmWzorBazowy *window : m_pulpit->ChildWindows()) {
        if (window->Numer() == numer)
            return window;
    }
    return nullptr;
}

QString TestHistory::activeNumer() const
{
    TfrmWzorBazowy *active = m_pulpit->ActiveChild();
    return active ? active->Numer() : QString();
}

QMenu *TestHistory::historyMenu() const
{
    for (QAction *item : m_pulpit->menuBar()->actions()) {
        if (item->text() == u"&Historia")
            return item->menu();
    }
    return nullptr;
}

void TestHistory::step(Way way, bool forward)
{
    QWidget *target = m_pulpit->ActiveChild();
    switch (way) {
    case Way::Keys:
        QTest::keyClick(target, forward ? Qt::Key_Right : Qt::Key_Left, Qt::AltModifier);
        break;
    case Way::Mouse:
        QTest::mouseClick(target, forward ? Qt::ForwardButton : Qt::BackButton);
        break;
    case Way::Menu:
        m_pulpit->Action(forward ? QStringLiteral("miDalej") : QStringLiteral("miWstecz"))
            ->trigger();
        break;
    }
    QCoreApplication::processEvents();
}

void TestHistory::backReopensAClosedWindowAndForwardReturns_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("Alt+Left, Alt+Right") << Way::Keys;
    QTest::newRow("mouse buttons") << Way::Mouse;
    QTest::newRow("menu") << Way::Menu;
}

void TestHistory::backReopensAClosedWindowAndForwardReturns()
{
    QFETCH(Way, way);
    QAction *back = m_pulpit->Action(QStringLiteral("miWstecz"));
    QAction *forward = m_pulpit->Action(QStringLiteral("miDalej"));
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    open(QStringLiteral("1"));
    QVERIFY(!back->isEnabled());
    open(QStringLiteral("2"));
    open(QStringLiteral("3"));
    // The reader closes 2 and comes back to 3 by hand: no new step on the path.
    windowOf(QStringLiteral("2"))->parentWidget()->close();
    QCoreApplication::processEvents();
    QVERIFY(!windowOf(QStringLiteral("2")));
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());

    step(way, false);
    QVERIFY(windowOf(QStringLiteral("2")));
    QCOMPARE(activeNumer(), QStringLiteral("2"));
    QVERIFY(forward->isEnabled());
    step(way, false);
    QCOMPARE(activeNumer(), QStringLiteral("1"));
    QCOMPARE(m_pulpit->ChildWindows().size(), 3);
    QVERIFY(!back->isEnabled());
    step(way, false); // nothing further back
    QCOMPARE(activeNumer(), QStringLiteral("1"));

    step(way, true);
    QCOMPARE(activeNumer(), QStringLiteral("2"));
    step(way, true);
    QCOMPARE(activeNumer(), QStringLiteral("3"));
    QVERIFY(!forward->isEnabled());
    QVERIFY(back->isEnabled());
    QCOMPARE(m_messageBoxes, 0);
}

void TestHistory::aNewVisitAfterBackDropsThePlacesAhead()
{
    for (const char *numer : {"1", "2", "3"})
        open(QString::fromLatin1(numer));
    m_pulpit->WsteczClick();
    m_pulpit->WsteczClick();
    QCOMPARE(activeNumer(), QStringLiteral("1"));

    open(QStringLiteral("4"));
    QVERIFY(!m_pulpit->Action(QStringLiteral("miDalej"))->isEnabled());
    m_pulpit->WsteczClick();
    QCOMPARE(activeNumer(), QStringLiteral("1"));
    m_pulpit->DalejClick();
    QCOMPARE(activeNumer(), QStringLiteral("4"));
    QVERIFY(!m_pulpit->Action(QStringLiteral("miDalej"))->isEnabled());
}

void TestHistory::everyEntryShownIsRecorded()
{
    open(QStringLiteral("1"));
    open(QStringLiteral("2"));
    // A window brought to the front is a visit of its own: Back from it goes to 2.
    m_pulpit->BringToFrontIfOpen(Typ, QStringLiteral("1"));
    m_pulpit->DalejClick(); // no step to take: nothing is shown
    m_pulpit->WsteczClick();
    QCOMPARE(activeNumer(), QStringLiteral("2"));
    QStringList seen;
    for (const HistoryEntry &entry : ReaderHistory(*m_readerStore).entries()) {
        QCOMPARE(entry.typ, Typ);
        QCOMPARE(entry.caption, QStringLiteral("Hasło ") + entry.numer);
        QVERIFY(entry.time.isValid());
        seen.append(entry.numer);
    }
    QCOMPARE(seen, QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"),
                                QStringLiteral("2")}));
}

void TestHistory::theMenuListsTheRecentEntriesAndOpensOne()
{
    m_pulpit->SetWindowLimit(30);
    for (int numer = 1; numer <= 22; ++numer)
        open(QString::number(numer));
    windowOf(QStringLiteral("21"))->parentWidget()->close();
    QCoreApplication::processEvents();
    open(QStringLiteral("20")); // seen again: listed once, as the newest

    QMenu *menu = historyMenu();
    QVERIFY(menu);
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QList<QAction *> items = menu->actions();
    QCOMPARE(items.value(0)->text(), QStringLiteral("Wstecz"));
    QCOMPARE(items.value(1)->text(), QStringLiteral("Dalej"));
    QVERIFY(items.value(2)->isSeparator());
    items = items.mid(3);
    QCOMPARE(items.size(), 20);
    QCOMPARE(items.first()->text(), QStringLiteral("Hasło 20"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("Hasło 22"));
    QCOMPARE(items.at(2)->text(), QStringLiteral("Hasło 21"));
    QCOMPARE(items.last()->text(), QStringLiteral("Hasło 3"));
    for (QAction *item : std::as_const(items)) {
        QVERIFY(item->isCheckable());
        QCOMPARE(item->isChecked(), item->text() != u"Hasło 21");
    }

    items.at(2)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(activeNumer(), QStringLiteral("21"));
    // A second opening lists the entries afresh, not twice.
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QCOMPARE(menu->actions().size(), 3 + 20);
    QCOMPARE(menu->actions().at(3)->text(), QStringLiteral("Hasło 21"));
    QVERIFY(menu->actions().at(3)->isChecked());
}

void TestHistory::theHelpModeRecordsNothing()
{
    open(QStringLiteral("1"));
    open(QStringLiteral("2"));
    windowOf(QStringLiteral("1"))->parentWidget()->close();
    QCoreApplication::processEvents();
    const qsizetype recorded = ReaderHistory(*m_readerStore).entries().size();
    QMenu *menu = historyMenu();
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QAction *first = menu->actions().last();
    QCOMPARE(first->text(), QStringLiteral("Hasło 1"));

    m_pulpit->SetHelpMode(true);
    step(Way::Keys, false);
    QVERIFY(!m_pulpit->HelpMode());
    m_pulpit->SetHelpMode(true);
    first->trigger();
    QVERIFY(!m_pulpit->HelpMode());

    QCOMPARE(activeNumer(), QStringLiteral("2"));
    QVERIFY(!windowOf(QStringLiteral("1")));
    QCOMPARE(ReaderHistory(*m_readerStore).entries().size(), recorded);
    QVERIFY(m_pulpit->Action(QStringLiteral("miWstecz"))->isEnabled());
}

void TestHistory::aStoreProblemGoesToTheStatusBar()
{
    const QString path = m_dir->filePath(QStringLiteral("nowszy.sqlite"));
    ReaderStore(path).database().exec("PRAGMA user_version = 99");
    ReaderStore newer(path);
    QVERIFY(!newer.problem().isEmpty());

    startPulpit(newer);
    QCOMPARE(m_pulpit->statusBar()->currentMessage(), newer.problem());
    // The history still works for this run.
    open(QStringLiteral("1"));
    open(QStringLiteral("2"));
    m_pulpit->WsteczClick();
    QCOMPARE(activeNumer(), QStringLiteral("1"));
    QCOMPARE(m_messageBoxes, 0);
    SetPulpit(nullptr);
    m_pulpit.reset();
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
