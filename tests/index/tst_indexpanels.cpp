#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "TGlyphButton.h"
#include "THTMLViewer.h"
#include "TIndexFilmographyPage.h"
#include "TIndexListPage.h"
#include "TIndexPanelPage.h"
#include "TMultiRowTabBar.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTreeView>

using namespace fixture;

namespace {

struct Overview
{
    const char *typ, *numer;
};

// The overviews the panels open; the container holds them as the disc does.
constexpr Overview Overviews[] = {
    {"_19703", "21FE"}, {"_19703", "21EE"}, {"_19703", "21F2"}, {"_19703", "2202"},
    {"_19703", "21F6"}, {"_19703", "21E2"}, {"_19703", "21E6"}, {"_19703", "21FA"},
    {"_19703", "21EA"}, {"_19714", "2206"}, {"_19714", "2222"}, {"_19714", "2176"},
    {"_19714", "225A"}, {"_19712", "22DE"}, {"_19712", "22D2"}, {"_19712", "22DA"},
    {"_19712", "22E2"}, {"_19712", "22D6"}, {"_19712", "22E6"},
};

// Films in directory order; the first is in the item index without a field list.
const QStringList Films{
    QString(),
    QStringLiteral("Tytuł=lalka\nReżyser_imię=Zenon\nReżyser_nazwisko=Z\nData=1968"),
    QStringLiteral("Tytuł=Morze\nReżyser_imię=Adam\nReżyser_nazwisko=E"),
    QStringLiteral("Tytuł=Łąka\nReżyser_imię=Adam\nReżyser_nazwisko=C"),
    QStringLiteral("Tytuł=Lalka\nReżyser_imię=Adam\nReżyser_nazwisko=D\nDzieło=Powieść Prusa"),
    QStringLiteral("Tytuł=Lalka\nReżyser_nazwisko=Has\nScenariusz_imię=Wojciech\n"
                   "Scenariusz_nazwisko=Has"),
};

} // namespace

class TestIndexPanels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The filmography sorts by the user's locale; the reader here is Polish.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void init();
    void cleanup();

    void themeButtons_data();
    void themeButtons();
    void tagOutsideThePanelsTable();
    void startHints_data();
    void startHints();
    void filmographyTable();
    void filmographyRebuiltAtEveryVisit();
    void filmographyLookAndHelp();
    void pagesStepByKeys_data();
    void pagesStepByKeys();
    void startButtonOpensItsPageByKey_data();
    void startButtonOpensItsPageByKey();

private:
    TfrmIndeks *index() { return m_program.index(); }
    TGlyphButton *button(int page, const QString &name)
    {
        return qobject_cast<TIndexPanelPage *>(index()->PageAt(page))
            ->Panel()
            ->findChild<TGlyphButton *>(name);
    }
    TIndexFilmographyPage *films()
    {
        return qobject_cast<TIndexFilmographyPage *>(index()->PageAt(TfrmIndeks::tsFilmografia));
    }
    void showPage(int page) { index()->pcIndeks()->setCurrentIndex(page); }
    void activateFrame()
    {
        TPulpit *pulpit = m_program.pulpit();
        QApplication::setActiveWindow(pulpit);
        QVERIFY(QTest::qWaitForWindowActive(pulpit));
    }

    ProgramFixture m_program;
    FakeHelp m_help;
    QList<MessageBoxes::Message> m_messages;
};

void TestIndexPanels::init()
{
    QList<Item> items;
    Entries entries;
    for (const Overview &o : Overviews) {
        items.append({QByteArray(o.typ) + o.numer, o.typ, o.numer});
        entries.append({"L197\\TypX\\" + QByteArray(o.typ) + '\\' + o.numer + "\\Pola",
                        cp(QStringLiteral("Tytuł=Przegląd %1").arg(QLatin1String(o.numer)))});
        entries.append({QByteArray(o.typ) + '\\' + o.numer, "<P>Tekst " + QByteArray(o.numer)});
    }
    for (int i = 0; i < Films.size(); ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        items.append({"F" + numer, "_19709", numer});
        if (!Films[i].isEmpty())
            entries.append({"L197\\TypX\\_19709\\" + numer + "\\Pola", cp(Films[i])});
    }
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    QVERIFY(m_program.openData(container(entries)));
    m_help = FakeHelp();
    recordMessages(m_messages);
    m_program.startWithIndex(&m_help);
    QVERIFY(index());
}

void TestIndexPanels::cleanup()
{
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
}

void TestIndexPanels::themeButtons_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("numer");
    QTest::addColumn<int>("help");

    const auto row = [](const char *name, int page, const char *button, QSize size, const char *typ,
                        const char *numer, int help) {
        QTest::newRow(name) << page << QString::fromLatin1(button) << size
                            << QString::fromLatin1(typ) << QString::fromLatin1(numer) << help;
    };
    const QSize epoch(120, 31), wide(200, 31), panel(133, 30);
    row("Middle Ages", TfrmIndeks::tsEpoki, "btEpoki1", epoch, "_19703", "21FE", 4013);
    row("Renaissance", TfrmIndeks::tsEpoki, "btEpoki2", epoch, "_19703", "21EE", 4013);
    row("Baroque", TfrmIndeks::tsEpoki, "btEpoki3", epoch, "_19703", "21F2", 4013);
    row("Enlightenment", TfrmIndeks::tsEpoki, "btEpoki4", epoch, "_19703", "2202", 4013);
    row("Romanticism", TfrmIndeks::tsEpoki, "btEpoki5", epoch, "_19703", "21F6", 4013);
    row("Positivism", TfrmIndeks::tsEpoki, "btEpoki6", epoch, "_19703", "21E2", 4013);
    row("Young Poland", TfrmIndeks::tsEpoki, "btEpoki7", epoch, "_19703", "21E6", 4013);
    // The two bottom buttons carry each other's tags.
    row("contemporary: right, above the wide one", TfrmIndeks::tsEpoki, "btEpoki8", epoch, "_19703",
        "21EA", 4013);
    row("interwar: the wide bottom one", TfrmIndeks::tsEpoki, "btEpoki9", wide, "_19703", "21FA",
        4013);
    row("kind 1", TfrmIndeks::tsRodzaje, "btRodzaje1", panel, "_19714", "2206", 4014);
    row("kind 2", TfrmIndeks::tsRodzaje, "btRodzaje2", panel, "_19714", "2222", 4014);
    row("kind 3", TfrmIndeks::tsRodzaje, "btRodzaje3", panel, "_19714", "2176", 4014);
    row("kind 4", TfrmIndeks::tsRodzaje, "btRodzaje4", panel, "_19714", "225A", 4014);
    row("art 1", TfrmIndeks::tsHistoria, "btHistoria1", panel, "_19712", "22DE", 4020);
    row("art 2", TfrmIndeks::tsHistoria, "btHistoria2", panel, "_19712", "22D2", 4020);
    row("art 3", TfrmIndeks::tsHistoria, "btHistoria3", panel, "_19712", "22DA", 4020);
    row("art 4", TfrmIndeks::tsHistoria, "btHistoria4", panel, "_19712", "22E2", 4020);
    row("art 5", TfrmIndeks::tsHistoria, "btHistoria5", panel, "_19712", "22D6", 4020);
    row("art 6", TfrmIndeks::tsHistoria, "btHistoria6", panel, "_19712", "22E6", 4020);
}

void TestIndexPanels::themeButtons()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QSize, size);
    QFETCH(QString, typ);
    QFETCH(QString, numer);
    QFETCH(int, help);

    showPage(page);
    TGlyphButton *b = this->button(page, button);
    QVERIFY(b);
    QCOMPARE(b->size(), size);
    QVERIFY(!b->accessibleName().isEmpty());

    // In help mode: the panel's help, and nothing opens.
    m_program.pulpit()->SetHelpMode(true);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_help.popups, QList<int>{help});
    QVERIFY(!m_program.pulpit()->HelpMode());
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 1);

    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 2);
    const TfrmWzorBazowy *opened = m_program.pulpit()->ChildWindows().last();
    QCOMPARE(opened->Typ(), typ);
    QCOMPARE(opened->Numer(), numer);
    QVERIFY(m_messages.isEmpty());
}

void TestIndexPanels::tagOutsideThePanelsTable()
{
    showPage(TfrmIndeks::tsRodzaje);
    TGlyphButton *b = button(TfrmIndeks::tsRodzaje, QStringLiteral("btRodzaje1"));
    b->SetTag(5);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 1);
    QVERIFY(m_messages.isEmpty());
}

void TestIndexPanels::startHints_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("hint");
    QTest::newRow("works") << QStringLiteral("btDziela")
                           << QStringLiteral(
                                  "Zestawienie Dzieła to zbiór\r\nponad dwustu syntetycznych\r\n"
                                  "artykułów o najważniejszych\r\nutworach należących do\r\n"
                                  "kanonu literatury polskiej.");
    QTest::newRow("creators") << QStringLiteral("btBiogramy")
                              << QStringLiteral(
                                     "Zestawienie Twórcy\r\nto obszerne informacje\r\no życiu i "
                                     "twórczości\r\npolskich pisarzy,\r\npoetów, dramaturgów,\r\n"
                                     "których utwory\r\nzostały omówione\r\nw bazie dzieła.");
    QTest::newRow("terms") << QStringLiteral("btSlownik")
                           << QStringLiteral(
                                  "Zestawienie Terminy\r\nto podręczny\r\nmini-słowniczek\r\n"
                                  "terminów literackich\r\npozwalający na sprawdzenie\r\n"
                                  "znaczenia niezrozumiałych\r\npojęć z zakresu wiedzy\r\n"
                                  "o literaturze.");
    QTest::newRow("films") << QStringLiteral("btFilmogr")
                           << QStringLiteral(
                                  "Filmografia\r\npozwala na dotarcie\r\ndo informacji\r\n"
                                  "o ekranizacji najsłynniejszych\r\npowieści polskich.");
    QTest::newRow("quiz") << QStringLiteral("btQuiz")
                          << QStringLiteral(
                                 "Quiz\r\n600 pytań sprawdzających\r\nwiedzę z zakresu\r\n"
                                 "wiedzy o literaturze,\r\nznajomości lektur,\r\nstylów, prądów, "
                                 "epok.");
    QTest::newRow("characters")
        << QStringLiteral("btBohaterowie")
        << QStringLiteral("Zestawienie Bohaterowie\r\nto krótkie notki charakteryzujące\r\n"
                          "kilkuset bohaterów prezentowanych\r\nw Verbarium powieści.");
}

void TestIndexPanels::startHints()
{
    QFETCH(QString, button);
    QFETCH(QString, hint);
    TGlyphButton *b = this->button(TfrmIndeks::tsStart, button);
    QVERIFY(b);
    QCOMPARE(b->property("hint").toString(), hint);
    // The tooltip shows the same lines, broken at LF alone.
    QCOMPARE(b->toolTip().split(u'\n'), hint.split(QStringLiteral("\r\n")));
    QVERIFY(!b->toolTip().contains(u'\r'));
}

void TestIndexPanels::filmographyTable()
{
    showPage(TfrmIndeks::tsFilmografia);
    QCOMPARE(index()->windowTitle(), QStringLiteral("Indeks: «Filmografia»"));
    const QList<QTextFrame *> frames = films()->View()->document()->rootFrame()->childFrames();
    QCOMPARE(frames.size(), 1);
    auto *table = qobject_cast<QTextTable *>(frames.first());
    QVERIFY(table);
    QCOMPARE(table->columns(), 5);
    const auto cell = [table](int row, int column) {
        const QTextTableCell c = table->cellAt(row, column);
        QTextCursor text(c.firstCursorPosition());
        text.setPosition(c.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return text.selectedText().remove(QChar::Nbsp).trimmed();
    };
    QCOMPARE(cell(0, 0), QStringLiteral("Tytuł filmu"));
    QCOMPARE(cell(0, 4), QStringLiteral("Na podstawie"));
    // Whole rows in Polish order, letter case ignored: the same title goes by the director
    // cell, where a missing first name leaves a leading blank that sorts first. The film
    // without a field list is a row of empty cells.
    const QList<QStringList> expected{
        {QString(), QString(), QString(), QString(), QString()},
        {QStringLiteral("Lalka"), QStringLiteral("Has"), QStringLiteral("Wojciech Has"), QString(),
         QString()},
        {QStringLiteral("Lalka"), QStringLiteral("Adam D"), QString(), QString(),
         QStringLiteral("Powieść Prusa")},
        {QStringLiteral("lalka"), QStringLiteral("Zenon Z"), QString(), QStringLiteral("1968"),
         QString()},
        {QStringLiteral("Łąka"), QStringLiteral("Adam C"), QString(), QString(), QString()},
        {QStringLiteral("Morze"), QStringLiteral("Adam E"), QString(), QString(), QString()},
    };
    QCOMPARE(table->rows(), 1 + int(expected.size()));
    for (int row = 0; row < expected.size(); ++row) {
        QStringList shown;
        for (int column = 0; column < 5; ++column)
            shown.append(cell(row + 1, column));
        QCOMPARE(shown, expected[row]);
    }
    // The title in bold, on the yellow of the odd columns.
    const QTextTableCell title = table->cellAt(2, 0);
    QCOMPARE(title.format().background().color(), QColor(0xFF, 0xFF, 0x80));
    QCOMPARE(table->cellAt(2, 1).format().background().color(), QColor(Qt::white));
    QTextCursor inTitle(title.firstCursorPosition());
    inTitle.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(inTitle.charFormat().fontWeight(), int(QFont::Bold));
}

void TestIndexPanels::filmographyRebuiltAtEveryVisit()
{
    THTMLViewer *view = films()->View();
    QVERIFY(view->document()->isEmpty()); // nothing is built before the first visit
    showPage(TfrmIndeks::tsFilmografia);
    const QString built = view->toPlainText();
    QVERIFY(built.contains(QStringLiteral("Łąka")));
    QVERIFY(m_program.pulpit()->isEnabled());

    showPage(TfrmIndeks::tsEpoki);
    view->clear();
    showPage(TfrmIndeks::tsFilmografia);
    QCOMPARE(view->toPlainText(), built);
    // A start-page button reaches the page through the same steps.
    view->clear();
    index()->btDzielaClick(nullptr, TfrmIndeks::tsFilmografia);
    QCOMPARE(view->toPlainText(), built);
}

void TestIndexPanels::filmographyLookAndHelp()
{
    showPage(TfrmIndeks::tsFilmografia);
    THTMLViewer *view = films()->View();
    QCOMPARE(view->objectName(), QStringLiteral("HTFilmografia"));
    QVERIFY(!view->ViewImages());
    auto *title = films()->findChild<QLabel *>(QStringLiteral("lbFilmografia"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Zestawienie ekranizacji dzieł literatury polskiej"));
    QVERIFY(title->geometry().top() >=
            view->geometry().bottom()); // the title bar is below the view

    // The document font of the preferences, as on every view of the Index.
    m_program.pulpit()->Prefs().docFont = QStringLiteral("Times New Roman");
    m_program.pulpit()->Prefs().docFontSize = 14;
    index()->ApplyIndexLook();
    QCOMPARE(view->DefFontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(view->DefFontSize(), 14);

    m_program.pulpit()->SetHelpMode(true);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(m_help.popups, QList<int>{4019});
    QVERIFY(!m_program.pulpit()->HelpMode());
}

void TestIndexPanels::pagesStepByKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("pages");

    using I = TfrmIndeks;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+PgDn from a list")
        << int(I::tsDziela) << QStringLiteral("list") << int(Qt::Key_PageDown) << ctrl
        << QList<int>{I::tsBiogramy, I::tsEpoki, I::tsBohaterowie};
    // From the first page back round to the last, as a tab widget goes.
    QTest::newRow("Ctrl+PgUp from a list, round the first page")
        << int(I::tsDziela) << QStringLiteral("list") << int(Qt::Key_PageUp) << ctrl
        << QList<int>{I::tsStart, I::tsQuiz, I::tsKalendarium};
    QTest::newRow("Ctrl+PgDn on an emblem, round the last page")
        << int(I::tsStart) << QStringLiteral("emblem") << int(Qt::Key_PageDown) << ctrl
        << QList<int>{I::tsDziela, I::tsBiogramy, I::tsEpoki};
    QTest::newRow("Ctrl+PgDn on the tab rows")
        << int(I::tsQuiz) << QStringLiteral("tab rows") << int(Qt::Key_PageDown) << ctrl
        << QList<int>{I::tsStart, I::tsDziela, I::tsBiogramy};
    // Ctrl+Tab stays the frame's key for the next window.
    QTest::newRow("Ctrl+Tab is the frame's")
        << int(I::tsDziela) << QStringLiteral("list") << int(Qt::Key_Tab) << ctrl
        << QList<int>{I::tsDziela, I::tsDziela};
}

void TestIndexPanels::pagesStepByKeys()
{
    QFETCH(int, from);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, pages);

    activateFrame();
    showPage(from);
    QWidget *start = index()->TabRows();
    if (focus == u"list")
        start = index()->ListPage(from)->List();
    else if (focus == u"emblem")
        start = button(from, QStringLiteral("btDziela"));
    QVERIFY(start && start->isVisible());
    start->setFocus();
    QList<int> shown;
    for (int i = 0; i < pages.size(); ++i) {
        // The keys go where the focus is, which is in the Index all along.
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && index()->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        shown.append(index()->pcIndeks()->currentIndex());
    }
    QCOMPARE(shown, pages);
    QCOMPARE(index()->TabRows()->currentIndex(), pages.last());
}

void TestIndexPanels::startButtonOpensItsPageByKey_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("page");

    QTest::newRow("Return") << QStringLiteral("btBiogramy") << int(Qt::Key_Return)
                            << int(TfrmIndeks::tsBiogramy);
    QTest::newRow("Enter") << QStringLiteral("btGatunki") << int(Qt::Key_Enter)
                           << int(TfrmIndeks::tsGatunki);
    QTest::newRow("Space") << QStringLiteral("btWypisy") << int(Qt::Key_Space)
                           << int(TfrmIndeks::tsWypisy);
}

void TestIndexPanels::startButtonOpensItsPageByKey()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, page);

    activateFrame();
    showPage(TfrmIndeks::tsStart);
    TGlyphButton *b = this->button(TfrmIndeks::tsStart, button);
    QVERIFY(b);
    b->setFocus();
    QTest::keyClick(b, Qt::Key(key));
    QCOMPARE(index()->pcIndeks()->currentIndex(), page);
    QCOMPARE(index()->windowTitle(),
             QStringLiteral("Indeks: «%1»").arg(index()->pcIndeks()->tabText(page)));
}

QTEST_MAIN(TestIndexPanels)
#include "tst_indexpanels.moc"
