#include "FakeHelp.h"
#include "ProgramFixture.h"
#include "SearchIndexBuilder.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TPSSDirectory.h"
#include "TSearchBox.h"
#include "TSearchEngine.h"
#include "TSearchResultDelegate.h"
#include "TSearchResultsModel.h"
#include "TSearchResultsPane.h"
#include "TSimplePSS.h"
#include "TfrmWzorDoc.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <unistd.h>

using namespace fixture;
using namespace Qt::StringLiterals;

namespace {

constexpr int Many = 450;

QByteArray encyclopedia()
{
    const QList<std::tuple<QByteArray, QByteArray, QString, QString>> entries{
        {"_19701", "1", u"Tytuł=Pan Tadeusz\r\nAutor=Adam Mickiewicz"_s,
         u"Litwo, ojczyzno moja!"_s},
        {"_19702", "1", u"Autor=Adam Mickiewicz"_s, u"Poeta, autor <i>Pana Tadeusza</i>."_s},
        {"_19705", "1", u"Termin=Pan"_s, u"Termin dawny."_s},
        // Matches of "las" in every group and in both kinds of Polish art.
        {"_19701", "2", u"Tytuł=Las"_s, u"Wiersz."_s},
        {"_19701", "3", u"Tytuł=Potop"_s, u"Bitwa w lesie, las płonie."_s},
        {"_19702", "2", u"Autor=Jan Kochanowski"_s, u"Pisał o lesie i lasach."_s},
        {"_19705", "2", u"Termin=Lasy i pola"_s, u"Krajobraz."_s},
        {"_19712", "1", u"Tytuł=Ciemny las"_s, u"Obraz olejny."_s},
        {"_19713", "1", u"Tytuł=Pejzaż"_s, u"Obraz lasu."_s},
        {"_19705", "3", u"Termin=Wzór"_s, u"Wzór x &lt; y &amp; <i>z</i>, wzory."_s},
        {"_19701", "4", u"Tytuł=Ziemia obiecana"_s,
         u"Powieść o Łodzi.<p>Fabryki Łodzi rosną.<p>W Łodzi."_s},
        {"_19711", "1", u"Tytuł=Łódź nocą"_s, u"Miasto."_s},
    };
    Entries files;
    QList<Item> items;
    const auto add = [&](const QByteArray &typ, const QByteArray &numer, const QString &fields,
                         const QString &text) {
        files.append({"L197\\TypX\\" + typ + '\\' + numer + "\\Pola", cp(fields)});
        files.append({typ + '\\' + numer, cp(text)});
        items.append({typ + numer, typ, numer});
    };
    for (const auto &[typ, numer, fields, text] : entries)
        add(typ, numer, fields, text);
    // More matches of "wypis" than one page holds: titles, then text.
    for (int i = 1; i <= Many; ++i) {
        const QByteArray numer = QByteArray::number(100 + i);
        if (i % 3 == 0)
            add("_19706", numer, u"Dzieło=Wypis %1"_s.arg(i), u"Fragment."_s);
        else
            add("_19720", numer, u"Autor=Autor %1"_s.arg(i),
                u"Z wypisu %1, wypis %2."_s.arg(i).arg(QString(i % 7, u'x')));
    }
    files.append({"L197\\UnidX", itemIndex(items)});
    return container(files);
}

QStringList lines(QAbstractItemModel *model)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString().section(u'\n', 0, 0));
    return texts;
}

QStringList categoryItems(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

} // namespace

class TestSearchUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchWhileTheIndexIsBuilt();
    void suggestionsOpenEntries();
    void enterListsTheResultsUnlessASuggestionIsChosen_data();
    void enterListsTheResultsUnlessASuggestionIsChosen();
    void snippetsMarkTheWordsFound_data();
    void snippetsMarkTheWordsFound();
    void snippetsTakeTwoLines();
    void openedEntryShowsTheWordsFound_data();
    void openedEntryShowsTheWordsFound();
    void menuKeysAreNotAmbiguous();
    void f1InADocumentShowsItsTopic();
    void filterByCategory_data();
    void filterByCategory();
    void resultsComeAPageAtATime();
    void paneKeepsItsPlace_data();
    void paneKeepsItsPlace();
    void damagedPlaceIsIgnored_data();
    void damagedPlaceIsIgnored();
    void damagedCacheIsRebuilt_data();
    void damagedCacheIsRebuilt();
    void searchWhereTheCacheCannotBeWritten_data();
    void searchWhereTheCacheCannotBeWritten();

private:
    bool lastOpened(const QString &typ, const QString &numer);
    void startProgram();
    void indexReady();
    TSearchResultsPane *search(const QString &text);
    // Typed in the field at once, whether the index is ready or not; the status bar's messages
    // until the results are shown go to `messages`.
    void typeSearch(const QString &text, QStringList *messages = nullptr);
    QString cacheFile() const;

    ProgramFixture m_program;
    FakeHelp m_help;
    TPulpit *m_pulpit = nullptr;
};

void TestSearchUi::init()
{
    QVERIFY(m_program.openData(encyclopedia()));
    startProgram();
}

void TestSearchUi::startProgram()
{
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = false;
    m_pulpit = &m_program.startPulpit(environment);
    m_pulpit->resize(1000, 700);
    m_pulpit->show();
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
}

QString TestSearchUi::cacheFile() const
{
    return SearchIndexBuilder::cacheFile(Directory()->container().fileName());
}

void TestSearchUi::cleanup()
{
    QFile::remove(cacheFile());
    QFile::remove(cacheFile() + u".b2"_s);
    QDir().rmdir(cacheFile());
    m_program.stop();
}

void TestSearchUi::indexReady()
{
    QSignalSpy ready(m_pulpit->SearchEngine(), &TSearchEngine::ready);
    m_pulpit->SearchEngine()->prepare();
    QVERIFY(m_pulpit->SearchEngine()->isReady() || ready.wait(10000));
}

TSearchResultsPane *TestSearchUi::search(const QString &text)
{
    indexReady();
    TSearchBox *box = m_pulpit->SearchBox();
    box->setText(text);
    Q_EMIT box->returnPressed();
    return m_pulpit->SearchResults();
}

void TestSearchUi::typeSearch(const QString &text, QStringList *messages)
{
    const QMetaObject::Connection said = connect(m_pulpit->statusBar(), &QStatusBar::messageChanged,
                                                 this, [messages](const QString &message) {
                                                     if (messages)
                                                         messages->append(message);
                                                 });
    const auto quiet = qScopeGuard([said] { disconnect(said); });
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClicks(m_pulpit->SearchBox(), text);
    QTest::keyClick(m_pulpit->SearchBox(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(m_pulpit->SearchResults()->isVisible() &&
                                 m_pulpit->SearchResults()->list()->model()->rowCount() > 0,
                             10000);
}

bool TestSearchUi::lastOpened(const QString &typ, const QString &numer)
{
    const TFormList &open = m_pulpit->OpenWindows();
    TFormRecord record;
    return open.Count() > 0 && open.GetAt(open.Count() - 1, record) && record.Typ == typ &&
           record.Numer == numer;
}

void TestSearchUi::searchWhileTheIndexIsBuilt()
{
    TSearchBox *box = m_pulpit->SearchBox();
    QCOMPARE(box->placeholderText(), u"Szukaj w encyklopedii"_s);
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QVERIFY(box->hasFocus());

    // Typed and asked for at once: the list comes when the index is ready.
    QSignalSpy ready(m_pulpit->SearchEngine(), &TSearchEngine::ready);
    QTest::keyClicks(box, u"pan"_s);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(ready.wait(10000));
    QTRY_VERIFY(m_pulpit->SearchResults()->isVisible());
    QListView *list = m_pulpit->SearchResults()->list();
    QCOMPARE(lines(list->model()), (QStringList{u"Pan"_s, u"Pan Tadeusz"_s, u"Adam Mickiewicz"_s}));
    QVERIFY(list->model()
                ->index(2, 0)
                .data(TSearchResultsModel::SnippetRole)
                .toString()
                .contains(u"<b>Pana</b>"_s));

    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"1"_s));

    // Nothing found is said instead of the list.
    QVERIFY(m_pulpit->SearchResults()->showResults(u"xyz"_s));
    QCOMPARE(list->model()->rowCount(), 0);
    QVERIFY(!list->isVisible());
    QVERIFY(m_pulpit->SearchResults()->notFound()->isVisible());
    QCOMPARE(m_pulpit->SearchResults()->notFound()->text(), u"Nie znaleziono: xyz"_s);

    QVERIFY(m_pulpit->SearchResults()->showResults(u"pan"_s));
    QVERIFY(list->isVisible());
    QVERIFY(!m_pulpit->SearchResults()->notFound()->isVisible());
}

void TestSearchUi::suggestionsOpenEntries()
{
    m_pulpit->SearchEngine()->prepare();
    QSignalSpy ready(m_pulpit->SearchEngine(), &TSearchEngine::ready);
    QVERIFY(ready.wait(10000));

    TSearchBox *box = m_pulpit->SearchBox();
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClicks(box, u"PAN t"_s);
    QAbstractItemView *popup = box->suggestions()->popup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(lines(popup->model()), QStringList{u"Pan Tadeusz – Dzieła"_s});

    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());

    box->clear();
    QTest::keyClicks(box, u"pan"_s);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(lines(popup->model()), (QStringList{u"Pan – Terminy"_s, u"Pan Tadeusz – Dzieła"_s}));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"1"_s));
    QVERIFY(!m_pulpit->SearchResults()->isVisible());
}

void TestSearchUi::enterListsTheResultsUnlessASuggestionIsChosen_data()
{
    QTest::addColumn<int>("down"); // presses of the Down arrow before Enter
    QTest::addColumn<QString>("opened");
    QTest::newRow("none chosen") << 0 << QString();
    QTest::newRow("one chosen") << 1 << u"_19711/1"_s;
}

void TestSearchUi::enterListsTheResultsUnlessASuggestionIsChosen()
{
    QFETCH(int, down);
    QFETCH(QString, opened);
    indexReady();
    TSearchBox *box = m_pulpit->SearchBox();
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClicks(box, u"lodz"_s);
    QAbstractItemView *popup = box->suggestions()->popup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(lines(popup->model()), QStringList{u"Łódź nocą – Ilustracje"_s});
    for (int i = 0; i < down; ++i)
        QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);

    QTRY_VERIFY(!popup->isVisible());
    TSearchResultsPane *pane = m_pulpit->SearchResults();
    if (opened.isEmpty()) {
        QTRY_VERIFY(pane->isVisible());
        QCOMPARE(pane->query(), u"lodz"_s);
        QCOMPARE(lines(pane->list()->model()), (QStringList{u"Łódź nocą"_s, u"Ziemia obiecana"_s}));
        QCOMPARE(m_pulpit->OpenWindows().Count(), 0);
    } else {
        QTRY_VERIFY(lastOpened(opened.section(u'/', 0, 0), opened.section(u'/', 1)));
        QVERIFY(!pane->isVisible());
    }
}

void TestSearchUi::snippetsMarkTheWordsFound_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("snippet");
    QTest::newRow("every match, whole words")
        << u"lodz"_s << u"Powieść o <b>Łodzi</b>. Fabryki <b>Łodzi</b> rosną. W <b>Łodzi</b>."_s;
    // The entry's text is escaped: its characters never become markup.
    QTest::newRow("text escaped") << u"wzor"_s << u"<b>Wzór</b> x &lt; y &amp; z, <b>wzory</b>."_s;
}

void TestSearchUi::snippetsMarkTheWordsFound()
{
    QFETCH(QString, query);
    QFETCH(QString, snippet);
    TSearchResultsPane *pane = search(query);
    QTRY_VERIFY(pane->isVisible());
    const QModelIndex text = pane->list()->model()->index(pane->list()->model()->rowCount() - 1, 0);
    QCOMPARE(text.data(TSearchResultsModel::SnippetRole).toString(), snippet);
    // Screen readers and the tooltip have the plain text.
    QVERIFY(!text.data(Qt::AccessibleTextRole).toString().contains(u"<b>"_s));
}

void TestSearchUi::snippetsTakeTwoLines()
{
    const QString html = u"<b>Łódź</b> "_s + u"fabryka tkanin "_s.repeated(40);
    QTextDocument snippet;
    const QFont font;
    TSearchResultDelegate::layOut(snippet, html, font, 200);
    const QTextBlock block = snippet.firstBlock();
    QCOMPARE(block.layout()->lineCount(), TSearchResultDelegate::SnippetLines);
    QVERIFY(snippet.toPlainText().startsWith(u"Łódź fabryka"_s));
    QVERIFY(snippet.toPlainText().endsWith(u'…'));
    QVERIFY(block.begin().fragment().charFormat().font().bold());
    // A short one is left whole.
    TSearchResultDelegate::layOut(snippet, u"<b>Łódź</b> nocą"_s, font, 200);
    QCOMPARE(snippet.toPlainText(), u"Łódź nocą"_s);

    // Rows are high enough for the title and both lines.
    TSearchResultsPane *pane = search(u"lodz"_s);
    QTRY_VERIFY(pane->isVisible());
    const QListView *list = pane->list();
    QVERIFY(list->visualRect(list->model()->index(0, 0)).height() >=
            3 * list->fontMetrics().lineSpacing());
}

void TestSearchUi::openedEntryShowsTheWordsFound_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("row");       // of the entry among the results
    QTest::addColumn<QString>("found"); // in the find bar
    QTest::addColumn<QString>("selected");
    QTest::newRow("a word") << u"lodz"_s << 1 << u"lodz"_s << u"Łodz"_s;
    QTest::newRow("a phrase") << u" \"ŁODZI\" "_s << 0 << u"ŁODZI"_s << u"Łodzi"_s;
}

void TestSearchUi::openedEntryShowsTheWordsFound()
{
    QFETCH(QString, query);
    QFETCH(int, row);
    QFETCH(QString, found);
    QFETCH(QString, selected);
    TSearchResultsPane *pane = search(query);
    QTRY_VERIFY(pane->isVisible());
    QListView *list = pane->list();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"4"_s));

    auto *window = qobject_cast<TfrmWzorDoc *>(m_pulpit->ActiveChild());
    QVERIFY(window);
    TFindBar *bar = window->FindBar();
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(bar->findChild<QLineEdit *>()->text(), found);
    // Found without regard to Polish letters, as the search found them.
    QTRY_COMPARE(bar->MatchCount(), 3);
    QCOMPARE(window->HT1()->extraSelections().size(), 3);
    QCOMPARE(bar->CurrentMatch(), 0);
    QCOMPARE(window->HT1()->textCursor().selectedText(), selected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QCOMPARE(bar->CurrentMatch(), 1);
}

void TestSearchUi::menuKeysAreNotAmbiguous()
{
    QTest::failOnWarning(QRegularExpression(u"Ambiguous"_s));
    TSearchResultsPane *pane = search(u"lodz"_s);
    QTRY_VERIFY(pane->isVisible());
    pane->list()->setFocus();
    pane->list()->setCurrentIndex(pane->list()->model()->index(1, 0));
    QTest::keyClick(pane->list(), Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"4"_s));
    auto *window = qobject_cast<TfrmWzorDoc *>(m_pulpit->ActiveChild());
    QVERIFY(window);
    window->FindBar()->Close();

    // The menu shows the keys; the document's own answer them, once.
    QAction *find = m_pulpit->Action(u"miZnajdz"_s);
    QVERIFY(find);
    QCOMPARE(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QSignalSpy menu(find, &QAction::triggered);
    window->HT1()->setFocus();
    QTest::keyClick(window->HT1(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(window->FindBar()->isVisible());
    QCOMPARE(menu.count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QCOMPARE(window->FindBar()->CurrentMatch(), 1);

    QTest::keyClick(window->HT1(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(m_pulpit->SearchBox()->hasFocus());
    // The menu's items act on the active document.
    window->FindBar()->Close();
    find->trigger();
    QVERIFY(window->FindBar()->isVisible());
}

void TestSearchUi::f1InADocumentShowsItsTopic()
{
    TSearchResultsPane *pane = search(u"lodz"_s);
    QTRY_VERIFY(pane->isVisible());
    pane->list()->setFocus();
    QTRY_VERIFY(pane->list()->hasFocus());
    QTest::keyClick(pane->list(), Qt::Key_F1);
    QTest::keyClick(pane->list(), Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19711"_s, u"1"_s));
    auto *window = qobject_cast<TfrmWzorDoc *>(m_pulpit->ActiveChild());
    QVERIFY(window);
    // The find bar, open on the words found, has the focus: its topic, then the document's.
    QTRY_VERIFY(window->FindBar()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QTest::keyClick(window->FindBar(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(m_help.topics, (QList<int>{4050, 4051, 4030}));
}

void TestSearchUi::filterByCategory_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("opened"); // typ/numer of the first, opened by Enter
    QTest::newRow("all") << u"Wszystkie kategorie (6)"_s
                         << QStringList{u"Las"_s,   u"Lasy i pola"_s,     u"Ciemny las"_s,
                                        u"Potop"_s, u"Jan Kochanowski"_s, u"Pejzaż"_s}
                         << u"_19701/2"_s;
    QTest::newRow("titles and text of one category")
        << u"Dzieła (2)"_s << QStringList{u"Las"_s, u"Potop"_s} << u"_19701/2"_s;
    QTest::newRow("text only") << u"Twórcy (1)"_s << QStringList{u"Jan Kochanowski"_s}
                               << u"_19702/2"_s;
    QTest::newRow("two categories under one name")
        << u"Sztuka polska (2)"_s << QStringList{u"Ciemny las"_s, u"Pejzaż"_s} << u"_19712/1"_s;
}

void TestSearchUi::filterByCategory()
{
    QFETCH(QString, category);
    QFETCH(QStringList, titles);
    QFETCH(QString, opened);
    TSearchResultsPane *pane = search(u"las"_s);
    QTRY_VERIFY(pane->isVisible());
    QComboBox *box = pane->categories();
    QCOMPARE(box->accessibleName(), u"Kategoria"_s);
    // The Index's order and names, each category with its count.
    QCOMPARE(categoryItems(box),
             (QStringList{u"Wszystkie kategorie (6)"_s, u"Dzieła (2)"_s, u"Twórcy (1)"_s,
                          u"Terminy (1)"_s, u"Sztuka polska (2)"_s}));
    QVERIFY(!box->itemIcon(1).isNull());

    box->setCurrentIndex(box->findText(category));
    QListView *list = pane->list();
    QCOMPARE(lines(list->model()), titles);
    QCOMPARE(list->currentIndex().row(), 0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(opened.section(u'/', 0, 0), opened.section(u'/', 1)));

    // A new search shows every category again.
    search(u"las"_s);
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(list->model()->rowCount(), 6);
}

void TestSearchUi::resultsComeAPageAtATime()
{
    TSearchResultsPane *pane = search(u"wypis"_s);
    QTRY_VERIFY(pane->isVisible());
    QListView *list = pane->list();
    QAbstractItemModel *model = list->model();
    QCOMPARE(model->rowCount(), int(TSearchResultsModel::PageSize));
    // The counts are whole before the pages are read.
    QCOMPARE(categoryItems(pane->categories()),
             (QStringList{u"Wszystkie kategorie (%1)"_s.arg(Many), u"Wypisy (%1)"_s.arg(Many / 3),
                          u"Cytaty (%1)"_s.arg(Many - Many / 3)}));

    // Scrolling to the end brings the rest, in the order of the whole list.
    const auto scrollToEnd = [list, model](int rows) {
        QScrollBar *bar = list->verticalScrollBar();
        while (model->rowCount() < rows) {
            const int before = model->rowCount();
            QTRY_VERIFY(bar->maximum() > bar->value()); // the new rows laid out
            bar->setValue(bar->maximum());
            QTRY_VERIFY(model->rowCount() > before);
        }
        QCOMPARE(model->rowCount(), rows);
    };
    scrollToEnd(Many);
    if (QTest::currentTestFailed())
        return;
    const QList<SearchIndex::Result> all =
        m_pulpit->SearchEngine()->index()->search(SearchQuery(u"wypis"_s));
    QStringList expected, shown;
    for (int row = 0; row < Many; ++row) {
        expected.append(all[row].typ + u'/' + all[row].numer);
        const QModelIndex index = model->index(row, 0);
        shown.append(index.data(TSearchResultsModel::TypRole).toString() + u'/' +
                     index.data(TSearchResultsModel::NumerRole).toString());
    }
    QCOMPARE(shown, expected);

    // A result past the first page opens.
    const QModelIndex late = model->index(Many - 5, 0);
    list->setFocus();
    list->setCurrentIndex(late);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(late.data(TSearchResultsModel::TypRole).toString(),
                           late.data(TSearchResultsModel::NumerRole).toString()));

    // One category's pages come the same way.
    pane->categories()->setCurrentIndex(2);
    QCOMPARE(model->rowCount(), int(TSearchResultsModel::PageSize));
    scrollToEnd(Many - Many / 3);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(model->index(Many - Many / 3 - 1, 0).data(TSearchResultsModel::TypRole).toString(),
             u"_19720"_s);
}

void TestSearchUi::paneKeepsItsPlace_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("size");    // docked: its width or height
    QTest::addColumn<QRect>("frame"); // floating
    QTest::newRow("left") << int(Qt::LeftDockWidgetArea) << 333 << QRect();
    QTest::newRow("bottom") << int(Qt::BottomDockWidgetArea) << 170 << QRect();
    QTest::newRow("floating") << int(Qt::RightDockWidgetArea) << 0 << QRect(60, 80, 310, 390);
}

void TestSearchUi::paneKeepsItsPlace()
{
    QFETCH(int, area);
    QFETCH(int, size);
    QFETCH(QRect, frame);
    const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    const auto extent = [across](const QWidget *pane) {
        return across ? pane->width() : pane->height();
    };

    TSearchResultsPane *pane = search(u"las"_s);
    QTRY_VERIFY(pane->isVisible());
    if (frame.isNull()) {
        m_pulpit->addDockWidget(Qt::DockWidgetArea(area), pane);
        m_pulpit->resizeDocks({pane}, {size}, across ? Qt::Horizontal : Qt::Vertical);
        QTRY_COMPARE(extent(pane), size);
    } else {
        pane->setFloating(true);
        pane->setGeometry(frame);
        QTRY_COMPARE(pane->geometry(), frame);
    }

    // The next run puts it back, and a document opened beside it leaves it there.
    m_program.stopPulpit();
    startProgram();
    pane = search(u"las"_s);
    QTRY_VERIFY(pane->isVisible());
    QCOMPARE(pane->isFloating(), !frame.isNull());
    if (frame.isNull()) {
        QCOMPARE(int(m_pulpit->dockWidgetArea(pane)), area);
        QTRY_COMPARE(extent(pane), size);
    } else {
        QTRY_COMPARE(pane->geometry(), frame);
    }
    const QRect before = pane->geometry();
    pane->list()->setCurrentIndex(pane->list()->model()->index(0, 0));
    pane->list()->setFocus();
    QTest::keyClick(pane->list(), Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"2"_s));
    m_pulpit->ActiveChild()->showMaximized();
    QVERIFY(pane->isVisible());
    QTRY_COMPARE(pane->geometry(), before);
}

void TestSearchUi::damagedPlaceIsIgnored_data()
{
    QTest::addColumn<QStringList>("stored"); // key=value under the pane's group
    QTest::addColumn<bool>("half");          // the pane takes half the window, else its own width
    QTest::newRow("no such area") << QStringList{u"Area=16"_s, u"Size=300"_s} << false;
    QTest::newRow("not a number") << QStringList{u"Area=lewo"_s, u"Size=-"_s} << false;
    QTest::newRow("floating without a frame")
        << QStringList{u"Area=2"_s, u"Floating=1"_s, u"Width=-5"_s, u"Height=x"_s} << false;
    QTest::newRow("floating off every screen")
        << QStringList{u"Area=2"_s,    u"Floating=1"_s, u"Left=90000"_s,
                       u"Top=90000"_s, u"Width=300"_s,  u"Height=300"_s}
        << false;
    QTest::newRow("wider than the window") << QStringList{u"Area=2"_s, u"Size=90000"_s} << true;
}

void TestSearchUi::damagedPlaceIsIgnored()
{
    QFETCH(QStringList, stored);
    QFETCH(bool, half);
    m_program.stopPulpit();
    for (const QString &value : stored)
        m_program.settings().setValue(u"Panes/pnWyniki/"_s + value.section(u'=', 0, 0),
                                      value.section(u'=', 1));
    startProgram();
    TSearchResultsPane *pane = search(u"las"_s);
    QTRY_VERIFY(pane->isVisible());
    // Docked at the right, beside documents that keep at least half the window.
    QVERIFY(!pane->isFloating());
    QCOMPARE(m_pulpit->dockWidgetArea(pane), Qt::RightDockWidgetArea);
    if (half)
        QTRY_COMPARE(pane->width(), m_pulpit->width() / 2);
    else
        QTRY_COMPARE(pane->width(), pane->sizeHint().width());
}

void TestSearchUi::damagedCacheIsRebuilt_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("cut inside its last page") << u"cut"_s;
    QTest::newRow("a letter of a text changed") << u"letter"_s;
    QTest::newRow("without its digest") << u"digest"_s;
    // SQLite finds the damage only when it reads the pages a query needs.
    QTest::newRow("damaged while open") << u"open"_s;
}

void TestSearchUi::damagedCacheIsRebuilt()
{
    QFETCH(QString, damage);
    indexReady();
    if (damage != u"open")
        m_program.stopPulpit();
    {
        QFile file(cacheFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        if (damage == u"cut")
            bytes.chop(1000);
        else if (damage == u"letter")
            bytes[bytes.indexOf("Litwo") + 1] = 'j';
        else if (damage == u"digest")
            QVERIFY(QFile::remove(cacheFile() + u".b2"_s));
        else
            bytes.replace(4096, bytes.size() - 4096, QByteArray(bytes.size() - 4096, '\xff'));
        QVERIFY(file.resize(0));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    if (damage != u"open")
        startProgram();

    QStringList messages;
    typeSearch(u"pan"_s, &messages);
    QListView *list = m_pulpit->SearchResults()->list();
    QCOMPARE(lines(list->model()), (QStringList{u"Pan"_s, u"Pan Tadeusz"_s, u"Adam Mickiewicz"_s}));
    QCOMPARE(list->model()->index(1, 0).data().toString().section(u'\n', 1),
             u"Litwo, ojczyzno moja!"_s);
    // Built again while the reader waits, as the first time.
    QVERIFY(!messages.isEmpty());
    QVERIFY(messages.first().startsWith(u"Przygotowanie wyszukiwania: "_s));
    QCOMPARE(m_pulpit->statusBar()->currentMessage(), QString());
}

void TestSearchUi::searchWhereTheCacheCannotBeWritten_data()
{
    QTest::addColumn<bool>("readOnly"); // the cache's folder, else its file's path is a folder
    QTest::newRow("cache file is a folder") << false;
    QTest::newRow("read-only cache folder") << true;
}

void TestSearchUi::searchWhereTheCacheCannotBeWritten()
{
    QFETCH(bool, readOnly);
    const QString folder = QFileInfo(cacheFile()).absolutePath();
    QVERIFY(QDir().mkpath(folder));
    if (readOnly) {
        if (::geteuid() == 0)
            QSKIP("Permissions do not stop root from writing; the other row stands for it.");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QVERIFY(QDir().mkpath(cacheFile()));
    }
    const auto writable = qScopeGuard([&folder] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    typeSearch(u"pan"_s);
    QCOMPARE(lines(m_pulpit->SearchResults()->list()->model()),
             (QStringList{u"Pan"_s, u"Pan Tadeusz"_s, u"Adam Mickiewicz"_s}));
    QCOMPARE(m_pulpit->statusBar()->currentMessage(),
             u"Nie można zapisać indeksu wyszukiwania w %1; indeks zostanie zbudowany tylko na "
             u"czas tej sesji."_s.arg(QDir::toNativeSeparators(folder)));
    QVERIFY(!QFileInfo(cacheFile()).isFile());
}

QTEST_MAIN(TestSearchUi)
#include "tst_searchui.moc"
