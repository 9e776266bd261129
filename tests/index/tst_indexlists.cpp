#include "DocumentClasses.h"
#include "FakeHelp.h"
#include "ListColumnWidths.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TGlyphButton.h"
#include "THTMLViewer.h"
#include "TImage.h"
#include "TIndexListModel.h"
#include "TIndexListPage.h"
#include "TIndexPanelPage.h"
#include "TMultiRowTabBar.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmSearcher.h"
#include "VolumeList.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace fixture;

class TestIndexLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Lists sort by the user's locale; the reader here is Polish.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void init();
    void cleanup();

    void captionFollowsThePage();
    void theSevenLists_data();
    void theSevenLists();
    void filledOnceThenOnlyByRefresh();
    void headerClickSortsAndTurns();
    void enterOpensTheSelectedEntry();
    void showingTheIndexGivesTheListItsKeys();
    void findingByTyping();
    void listSettingsSurviveARestart();
    void pageSubmenu();
    void previewRestsOnTheLastRow();
    void pageChangeCancelsThePreview();
    void noPreviewWhileADocumentOpens();
    void hiddenPaneAndShowingItAgain();
    void quotationPreview();
    void previewLinkOpensByPath();
    void paneLayout();
    void lastColumnFillsTheList();
    void columnWidths_data();
    void columnWidths();
    void previewHintUntilARowIsChosen();
    void helpModeInTheIndex();
    void tabLayouts_data();
    void tabLayouts();
    void panelsStayCentred();
    void startButtonsSwitchPages_data();
    void startButtonsSwitchPages();
    void imageList_data();
    void imageList();
    void missingImageList();
    void pendingPreviewKeepsItsRowThroughASort();
    void findingByTypingStartsAfterTheSelectedRow();
    void otherListsSearchTheFirstColumn();
    void numberWithAPolishLetter();
    void unreadableContainer_data();
    void unreadableContainer();

private:
    TfrmIndeks *index() { return m_program.index(); }
    QFrame *panelOf(int page)
    {
        return qobject_cast<TIndexPanelPage *>(index()->PageAt(page))->Panel();
    }
    void showPage(int page) { index()->pcIndeks()->setCurrentIndex(page); }

    ProgramFixture m_program;
    FakeHelp m_help;
    QList<MessageBoxes::Message> m_messages;
};

void TestIndexLists::init()
{
    QList<Item> items;
    Entries entries;
    const auto add = [&](const char *typ, const char *numer, const QString &fields) {
        items.append({QByteArray(typ) + numer, typ, numer});
        entries.append({"L197\\TypX\\" + QByteArray(typ) + '\\' + numer + "\\Pola", cp(fields)});
    };
    add("_19701", "2",
        QStringLiteral("Tytuł=Lalka\nAutor=Bolesław Prus\nEpoka=Pozytywizm\nGatunek=Powieść"));
    add("_19701", "1",
        QStringLiteral(
            "Tytuł=Pan Tadeusz\nAutor=Adam Mickiewicz\nEpoka=Romantyzm\nGatunek=Epopeja"));
    add("_19701", "3a", QStringLiteral("Tytuł=Ąbc\nAutor=Anonim"));
    add("_19701", "4", QStringLiteral("Tytuł=ania"));
    add("_19702", "1",
        QStringLiteral("Autor=Adam Mickiewicz\nUrodzony=1798\nZmarły=1855\nEpoka=Romantyzm"));
    add("_19702", "2",
        QStringLiteral(
            "Autor=Konstanty Ildefons Gałczyński\nUrodzony=23 stycznia 1905 w Warszawie\n"
            "Zmarły=6 grudnia 1953 w Warszawie, pochowany w Alei Zasłużonych "
            "na Cmentarzu Wojskowym na Powązkach\nEpoka=Dwudziestolecie"));
    add("_19799", "1", QStringLiteral("Nazwa=Jacek Soplica\nDzieło=Pan Tadeusz"));
    add("_19704", "1", QStringLiteral("Gatunek=Ballada\nRodzaj=Liryka"));
    add("_19705", "1", QStringLiteral("Termin=Inwokacja"));
    add("_19706", "1",
        QStringLiteral("Dzieło=Pan Tadeusz\nFragment=Inwokacja\nAutor=Adam Mickiewicz"));
    add("_19720", "1", QStringLiteral("Autor=Adam Mickiewicz\nŹródło=Dziady"));
    items.append({"NOFIELDS", "_19720", "2"}); // a row with empty texts
    for (const char *numer : {"1", "2", "3a", "4"})
        entries.append(
            {"_19701\\" + QByteArray(numer).toUpper(),
             "<P>Tekst " + QByteArray(numer) + " <P>dalej <a href=\"../_19702/1.htm\">link</a>"});
    entries.append({"_19720\\1", cp(QStringLiteral("Polały się łzy me czyste"))});
    // The item index upper-cases ASCII letters only: this number stays as it is.
    const QByteArray polish = cp(QStringLiteral("ż1"));
    items.append({"POLISH", "_19705", polish});
    entries.append({"L197\\TypX\\_19705\\" + polish + "\\Pola", cp(QStringLiteral("Termin=Żart"))});
    entries.append({"_19705\\" + polish, cp(QStringLiteral("Żart to żart."))});
    entries.append({"_19704\\1", cp(QStringLiteral("Ballada łączy epikę z liryką."))});
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    QVERIFY(m_program.openData(container(entries)));
    m_help = FakeHelp();
    recordMessages(m_messages);
    m_program.startWithIndex(&m_help);
    QVERIFY(index());
}

void TestIndexLists::cleanup()
{
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
}

void TestIndexLists::captionFollowsThePage()
{
    QCOMPARE(index()->windowTitle(), QStringLiteral("Indeks"));
    showPage(TfrmIndeks::tsCytaty);
    QCOMPARE(index()->windowTitle(), QStringLiteral("Indeks: «Cytaty»"));
    showPage(TfrmIndeks::tsKalendarium);
    QCOMPARE(index()->windowTitle(), QStringLiteral("Indeks: «Kalendarium»"));
}

void TestIndexLists::theSevenLists_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("works") << int(TfrmIndeks::tsDziela) << QStringLiteral("evDziela") << 1
                           << QStringList{QStringLiteral("Tytuł"), QStringLiteral("Autor"),
                                          QStringLiteral("Epoka"), QStringLiteral("Gatunek")}
                           << QStringList{QStringLiteral("ania"), QString(), QString(), QString()};
    QTest::newRow("creators") << int(TfrmIndeks::tsBiogramy) << QStringLiteral("evBiogramy") << 2
                              << QStringList{QStringLiteral("Autor"), QStringLiteral("Urodzony"),
                                             QStringLiteral("Zmarły"), QStringLiteral("Epoka")}
                              << QStringList{QStringLiteral("Adam Mickiewicz"),
                                             QStringLiteral("1798"), QStringLiteral("1855"),
                                             QStringLiteral("Romantyzm")};
    QTest::newRow("heroes") << int(TfrmIndeks::tsBohaterowie) << QStringLiteral("evBohaterowie")
                            << 17 << QStringList{QStringLiteral("Nazwa"), QStringLiteral("Dzieło")}
                            << QStringList{QStringLiteral("Jacek Soplica"),
                                           QStringLiteral("Pan Tadeusz")};
    QTest::newRow("genres") << int(TfrmIndeks::tsGatunki) << QStringLiteral("evGatunki") << 5
                            << QStringList{QStringLiteral("Gatunek"), QStringLiteral("Rodzaj")}
                            << QStringList{QStringLiteral("Ballada"), QStringLiteral("Liryka")};
    QTest::newRow("terms") << int(TfrmIndeks::tsTerminy) << QStringLiteral("evTerminy") << 6
                           << QStringList{QStringLiteral("Termin")}
                           << QStringList{QStringLiteral("Inwokacja")};
    QTest::newRow("excerpts") << int(TfrmIndeks::tsWypisy) << QStringLiteral("evWypisy") << 7
                              << QStringList{QStringLiteral("Dzieło"), QStringLiteral("Fragment"),
                                             QStringLiteral("Autor")}
                              << QStringList{QStringLiteral("Pan Tadeusz"),
                                             QStringLiteral("Inwokacja"),
                                             QStringLiteral("Adam Mickiewicz")};
    QTest::newRow("quotations") << int(TfrmIndeks::tsCytaty) << QStringLiteral("evCytaty") << 9
                                << QStringList{QStringLiteral("Autor"), QStringLiteral("Źródło")}
                                << QStringList{QString(),
                                               QString()}; // the row without fields sorts first
}

void TestIndexLists::theSevenLists()
{
    QFETCH(int, page);
    QFETCH(QString, view);
    QFETCH(int, number);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, firstRow);

    showPage(page);
    QTreeView *list = index()->ListPage(page)->List();
    QVERIFY(list);
    QCOMPARE(list->objectName(), view);
    TIndexListModel *model = index()->ListPage(page)->Model();
    QCOMPARE(model->Columns(), columns);
    for (int c = 0; c < columns.size(); ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), columns[c]);
    QVERIFY(model->rowCount() > 0);
    QStringList first;
    for (int c = 0; c < columns.size(); ++c)
        first.append(model->index(0, c).data().toString());
    QCOMPARE(first, firstRow);
    QCOMPARE(model->index(0, 0).data(Qt::UserRole).toInt(), number - 1);
    // The row shows the picture of its own tab.
    const QIcon rowImage = model->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    QVERIFY(!rowImage.isNull());
    QCOMPARE(rowImage.pixmap(16, 16).toImage(),
             index()->pcIndeks()->tabIcon(page).pixmap(16, 16).toImage());
    const TFormRecord *record = model->RowAt(0).record;
    QCOMPARE(record->Kind, number);
    QVERIFY(record->Typ.startsWith(QStringLiteral("_197")));
}

void TestIndexLists::filledOnceThenOnlyByRefresh()
{
    showPage(TfrmIndeks::tsDziela);
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    QCOMPARE(model->rowCount(), 4);
    const TFormRecord *before = model->RowAt(0).record;
    showPage(TfrmIndeks::tsStart);
    showPage(TfrmIndeks::tsDziela);
    QCOMPARE(model->RowAt(0).record, before); // not filled again
    QCOMPARE(index()->RowRecords().Count(), 4);

    m_program.pulpit()->Action(QStringLiteral("btRefresh"))->trigger();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(index()->RowRecords().Count(), 4);
    QVERIFY(m_program.pulpit()->isEnabled());
    QVERIFY(m_program.searcher().isHidden());
    // The numbers are kept upper-cased.
    bool found = false;
    for (int r = 0; r < model->rowCount(); ++r)
        found = found || model->RowAt(r).record->Numer == u"3A";
    QVERIFY(found);
}

void TestIndexLists::headerClickSortsAndTurns()
{
    showPage(TfrmIndeks::tsDziela);
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    QHeaderView *header = index()->ListPage(TfrmIndeks::tsDziela)->List()->header();
    const auto titles = [model] {
        QStringList t;
        for (int r = 0; r < model->rowCount(); ++r)
            t.append(model->index(r, 0).data().toString());
        return t;
    };
    // Polish order: "ą" after "a" and before "b", lower case before upper case.
    const QStringList ascending = titles();
    QCOMPARE(ascending, (QStringList{QStringLiteral("ania"), QStringLiteral("Ąbc"),
                                     QStringLiteral("Lalka"), QStringLiteral("Pan Tadeusz")}));

    Q_EMIT header->sectionClicked(0);
    QStringList reversed = ascending;
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(titles(), reversed);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);

    Q_EMIT header->sectionClicked(1); // another column: ascending by author
    QCOMPARE(model->SortColumn(), 1);
    QCOMPARE(model->index(model->rowCount() - 1, 1).data().toString(),
             QStringLiteral("Bolesław Prus"));
}

void TestIndexLists::enterOpensTheSelectedEntry()
{
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    QTest::keyClick(list, Qt::Key_Return); // nothing selected: nothing opens
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 1);

    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    int lalka = 0;
    while (model->index(lalka, 0).data().toString() != u"Lalka")
        ++lalka;
    list->setCurrentIndex(model->index(lalka, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 2);
    QCOMPARE(m_program.pulpit()->ChildWindows().last()->windowTitle(),
             QStringLiteral("Dzieło: Lalka - Bolesław Prus"));
}

// Ctrl+I from a document: the list is where the reader left it, and takes the keys at once.
void TestIndexLists::showingTheIndexGivesTheListItsKeys()
{
    TPulpit *pulpit = m_program.pulpit();
    pulpit->show();
    QApplication::setActiveWindow(pulpit);
    QVERIFY(QTest::qWaitForWindowActive(pulpit));
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    const QString second = list->currentIndex().data().toString();
    QTest::keyClick(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(pulpit->ChildWindows().size(), 2);
    QVERIFY(pulpit->ActiveChild() != index());

    QTest::keyClick(pulpit, Qt::Key_I, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(pulpit->ActiveChild(), index());
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), 2);
    QVERIFY(list->currentIndex().data().toString() != second);
}

void TestIndexLists::findingByTyping()
{
    showPage(TfrmIndeks::tsDziela);
    qint64 now = 10000;
    index()->ListPage(TfrmIndeks::tsDziela)->SetClock([&now] { return now; });
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    const auto selected = [list] { return list->currentIndex().data().toString(); };

    QTest::keyClicks(list, QStringLiteral("l"));
    QCOMPARE(selected(), QStringLiteral("Lalka"));
    now += 500;
    QTest::keyClicks(list, QStringLiteral("p")); // "lp" matches nothing: dropped
    QCOMPARE(selected(), QStringLiteral("Lalka"));
    now += 500;
    QTest::keyClicks(list, QStringLiteral("a")); // "la", from the row after the selected one
    QCOMPARE(selected(), QStringLiteral("Lalka"));
    now += 1001;
    QTest::keyClicks(list, QStringLiteral("p"));
    QCOMPARE(selected(), QStringLiteral("Pan Tadeusz"));
    now += 1001;
    QTest::keyClicks(list, QStringLiteral("A")); // wraps round, ignoring case
    QCOMPARE(selected(), QStringLiteral("ania"));
    now += 1001;
    QKeyEvent polish(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                     QString(QChar(0x105))); // "ą"
    QApplication::sendEvent(list, &polish);
    QCOMPARE(selected(), QStringLiteral("Ąbc"));

    // Sorted by author, the search follows the sort column.
    Q_EMIT list->header()->sectionClicked(1);
    now += 1001;
    QTest::keyClicks(list, QStringLiteral("bo"));
    QCOMPARE(list->currentIndex().siblingAtColumn(1).data().toString(),
             QStringLiteral("Bolesław Prus"));
}

void TestIndexLists::listSettingsSurviveARestart()
{
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    Q_EMIT list->header()->sectionClicked(1);
    Q_EMIT list->header()->sectionClicked(1); // author, descending
    list->header()->resizeSection(0, 222);
    list->header()->moveSection(3, 0);
    m_program.stopPulpit();

    QSettings stored(m_program.settings().fileName(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Views/1/Sort/SortCol")), QVariant(QStringLiteral("1")));
    QCOMPARE(stored.value(QStringLiteral("Views/1/Sort/Ascending")), QVariant(QStringLiteral("0")));
    QCOMPARE(stored.value(QStringLiteral("Views/1/Columns/Order")),
             QVariant(QStringLiteral("3,0,1,2")));
    QVERIFY(stored.value(QStringLiteral("Views/1/Columns/Sizes"))
                .toString()
                .startsWith(QStringLiteral("222,")));
    QVERIFY(stored.contains(QStringLiteral("Views/99/Sort/SortCol")));

    TPulpit::Environment environment;
    environment.soundAvailable = false;
    m_program.startPulpit(environment).btIndeksClick();
    showPage(TfrmIndeks::tsDziela);
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    QCOMPARE(model->SortColumn(), 1);
    QCOMPARE(model->SortOrder(), Qt::DescendingOrder);
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Bolesław Prus"));
    QHeaderView *header = index()->ListPage(TfrmIndeks::tsDziela)->List()->header();
    QCOMPARE(header->sectionSize(0), 222);
    QCOMPARE(header->logicalIndex(0), 3);
}

void TestIndexLists::pageSubmenu()
{
    QMenu *pages =
        index()->PopupMenu1()->findChild<QAction *>(QStringLiteral("Innastronaindeksu1"))->menu();
    QVERIFY(pages);
    QStringList captions;
    for (QAction *item : pages->actions())
        captions.append(item->text());
    QVERIFY(!captions.contains(QStringLiteral("Bohaterowie")));
    QAction *kinds = pages->actions().at(captions.indexOf(QStringLiteral("Rodzaje")));
    QCOMPARE(kinds->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_4));
    kinds->trigger();
    QCOMPARE(index()->pcIndeks()->currentIndex(), int(TfrmIndeks::tsRodzaje));
    QCOMPARE(index()->windowTitle(), QStringLiteral("Indeks: «Rodzaje»"));
}

namespace {
int rowTitled(TIndexListModel *model, const QString &title)
{
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->index(r, 0).data().toString() == title)
            return r;
    }
    return -1;
}
} // namespace

void TestIndexLists::previewRestsOnTheLastRow()
{
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    for (int step = 0; step < 10; ++step)
        list->setCurrentIndex(model->index(step % model->rowCount(), 0));
    // Nothing read yet; the rest starts again with every move.
    QVERIFY(index()->ListPage(TfrmIndeks::tsDziela)->lvTimer()->isActive());
    QCOMPARE(index()->ListPage(TfrmIndeks::tsDziela)->lvTimer()->interval(), 400);
    QVERIFY(index()->ListPage(TfrmIndeks::tsDziela)->Preview()->toPlainText().isEmpty());
    index()->ListPage(TfrmIndeks::tsDziela)->lvTimerTimer();
    const int last = 9 % model->rowCount();
    const QString numer = model->RowAt(last).record->Numer.toLower();
    // The first "<P>" goes, a later one stays as markup.
    QCOMPARE(index()->ListPage(TfrmIndeks::tsDziela)->Preview()->toPlainText().split(u'\n').first(),
             QStringLiteral("Tekst ") + numer + u' ');
    QVERIFY(!m_program.pulpit()->Opening());
}

void TestIndexLists::noPreviewWhileADocumentOpens()
{
    showPage(TfrmIndeks::tsGatunki);
    index()
        ->ListPage(TfrmIndeks::tsGatunki)
        ->List()
        ->setCurrentIndex(index()->ListPage(TfrmIndeks::tsGatunki)->Model()->index(0, 0));
    m_program.pulpit()->SetOpening(true);
    index()
        ->ListPage(TfrmIndeks::tsGatunki)
        ->lvTimerTimer(); // skipped, not retried, and the flag is left to its owner
    QVERIFY(index()->ListPage(TfrmIndeks::tsGatunki)->Preview()->toPlainText().isEmpty());
    QVERIFY(m_program.pulpit()->Opening());
    m_program.pulpit()->SetOpening(false);
    index()->ListPage(TfrmIndeks::tsGatunki)->ShowPreview(0);
    QCOMPARE(index()->ListPage(TfrmIndeks::tsGatunki)->Preview()->toPlainText(),
             QStringLiteral("Ballada łączy epikę z liryką."));
}

void TestIndexLists::pageChangeCancelsThePreview()
{
    showPage(TfrmIndeks::tsDziela);
    index()
        ->ListPage(TfrmIndeks::tsDziela)
        ->List()
        ->setCurrentIndex(index()->ListPage(TfrmIndeks::tsDziela)->Model()->index(1, 0));
    QVERIFY(index()->ListPage(TfrmIndeks::tsDziela)->lvTimer()->isActive());
    showPage(TfrmIndeks::tsStart);
    QVERIFY(!index()->ListPage(TfrmIndeks::tsDziela)->lvTimer()->isActive());
    index()->ListPage(TfrmIndeks::tsDziela)->lvTimerTimer();
    QVERIFY(index()->ListPage(TfrmIndeks::tsDziela)->Preview()->toPlainText().isEmpty());
}

void TestIndexLists::hiddenPaneAndShowingItAgain()
{
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsDziela)->Model();
    QVERIFY(!index()->ListPage(TfrmIndeks::tsDziela)->Pane()->isHidden());
    m_program.pulpit()->Action(QStringLiteral("btPreviewShow"))->trigger(); // hide
    QVERIFY(index()->ListPage(TfrmIndeks::tsDziela)->Pane()->isHidden());
    list->setCurrentIndex(model->index(rowTitled(model, QStringLiteral("Lalka")), 0));
    QVERIFY(!index()->ListPage(TfrmIndeks::tsDziela)->lvTimer()->isActive()); // a hidden works pane
                                                                              // schedules nothing

    QSplitter *splitter = index()->ListPage(TfrmIndeks::tsDziela)->Splitter();
    splitter->resize(900, splitter->height());
    list->resize(600, list->height());
    m_program.pulpit()
        ->Action(QStringLiteral("btPreviewShow"))
        ->trigger(); // show: previewed at once
    QVERIFY(!index()->ListPage(TfrmIndeks::tsDziela)->Pane()->isHidden());
    QCOMPARE(splitter->sizes().first(), 300);
    QVERIFY(index()
                ->ListPage(TfrmIndeks::tsDziela)
                ->Preview()
                ->toPlainText()
                .startsWith(QStringLiteral("Tekst 2")));

    // On a page without a list the command does nothing.
    showPage(TfrmIndeks::tsRodzaje);
    m_program.pulpit()->Action(QStringLiteral("btPreviewShow"))->trigger();
    QVERIFY(!index()->ListPage(TfrmIndeks::tsDziela)->Pane()->isHidden());
}

void TestIndexLists::quotationPreview()
{
    showPage(TfrmIndeks::tsCytaty);
    TIndexListModel *model = index()->ListPage(TfrmIndeks::tsCytaty)->Model();
    m_program.pulpit()->Action(QStringLiteral("btPreviewShow"))->trigger(); // hide
    index()
        ->ListPage(TfrmIndeks::tsCytaty)
        ->List()
        ->setCurrentIndex(model->index(rowTitled(model, QStringLiteral("Adam Mickiewicz")), 0));
    m_program.pulpit()
        ->Action(QStringLiteral("btPreviewShow"))
        ->trigger(); // show: only after the rest
    THTMLViewer *preview = index()->ListPage(TfrmIndeks::tsCytaty)->Preview();
    QVERIFY(preview->toPlainText().isEmpty());
    QVERIFY(index()->ListPage(TfrmIndeks::tsCytaty)->lvTimer()->isActive());
    index()->ListPage(TfrmIndeks::tsCytaty)->lvTimerTimer();
    QCOMPARE(preview->toPlainText().simplified(),
             QStringLiteral("Polały się łzy me czyste Adam Mickiewicz, Dziady"));
}

void TestIndexLists::previewLinkOpensByPath()
{
    THTMLViewer *preview = index()->ListPage(TfrmIndeks::tsDziela)->Preview();
    bool handled = false;
    Q_EMIT preview->HotSpotClick(QStringLiteral("../_19701/3a.htm"), &handled);
    QVERIFY(handled);
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 2);
    QCOMPARE(m_program.pulpit()->ChildWindows().last()->Numer(), QStringLiteral("3A"));
}

void TestIndexLists::paneLayout()
{
    QFrame *pane = index()->ListPage(TfrmIndeks::tsGatunki)->Pane();
    pane->setParent(nullptr); // measured on its own
    pane->resize(300, 400);
    pane->show();
    QCOMPARE(index()->ListPage(TfrmIndeks::tsGatunki)->Preview()->geometry(),
             QRect(2, 37, 296, 326));
    QCOMPARE(pane->findChild<TGlyphButton *>(QStringLiteral("btGatunkiCl"))->geometry(),
             QRect(283, 4, 13, 13));
    QCOMPARE(pane->findChild<TImage *>(QStringLiteral("ImGatunkiR"))->pos(), QPoint(248, 363));
    index()->ListPage(TfrmIndeks::tsGatunki)->Splitter()->addWidget(pane); // back in its page
}

void TestIndexLists::lastColumnFillsTheList()
{
    // The one column of the terms list is its last too.
    showPage(TfrmIndeks::tsTerminy);
    QTreeView *terms = index()->ListPage(TfrmIndeks::tsTerminy)->List();
    QTRY_VERIFY(terms->width() > 300);
    QTRY_COMPARE(terms->header()->sectionSize(0), terms->width() - 17);

    // A page shown for the first time is laid out after the page change; its list follows.
    showPage(TfrmIndeks::tsCytaty);
    QTreeView *quotes = index()->ListPage(TfrmIndeks::tsCytaty)->List();
    QTRY_VERIFY(quotes->width() > 300);
    QTRY_COMPARE(quotes->header()->sectionSize(1), quotes->width() - 150 - 17);

    showPage(TfrmIndeks::tsDziela);
    m_program.pulpit()
        ->Action(QStringLiteral("btPreviewShow"))
        ->trigger(); // the list takes the page
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    QTRY_VERIFY(list->width() > 600);
    QHeaderView *header = list->header();
    for (int c = 0; c < 3; ++c) // the design widths
        header->resizeSection(c, c == 0 ? 150 : 100);
    index()->FormResize();
    QCOMPARE(header->sectionSize(3), list->width() - 350 - 17);

    // Other columns wider than the page: the last keeps its width.
    header->resizeSection(0, 2000);
    const int kept = header->sectionSize(3);
    index()->FormResize();
    QCOMPARE(header->sectionSize(3), kept);
}

void TestIndexLists::columnWidths_data()
{
    QTest::addColumn<QList<int>>("saved"); // empty: no saved layout

    QTest::newRow("no saved layout") << QList<int>();
    QTest::newRow("saved layout") << QList<int>{90, 60, 70, 80};
}

void TestIndexLists::columnWidths()
{
    QFETCH(QList<int>, saved);
    if (!saved.isEmpty()) {
        m_program.stopPulpit();
        ListLayout layout;
        layout.sizes = saved;
        m_program.store().writeListLayout(2, layout);
        TPulpit::Environment environment;
        environment.soundAvailable = false;
        m_program.startPulpit(environment).resize(1000, 700);
        m_program.pulpit()->show();
        m_program.pulpit()->btIndeksClick();
    }
    showPage(TfrmIndeks::tsBiogramy);
    TIndexListPage *page = index()->ListPage(TfrmIndeks::tsBiogramy);
    QTreeView *list = page->List();
    QHeaderView *header = list->header();
    QTRY_VERIFY(list->width() > 300);
    if (!saved.isEmpty()) {
        // Kept as the reader left them; the last column follows the layout rule.
        for (int c = 0; c < 3; ++c)
            QCOMPARE(header->sectionSize(c), saved[c]);
        return;
    }
    const int longest = rowTitled(page->Model(), QStringLiteral("Konstanty Ildefons Gałczyński"));
    QVERIFY(longest >= 0);
    const int cap = ListColumnWidths::MaxCharacters * list->fontMetrics().averageCharWidth();
    // The name and the date whole, wider than their design widths; the long text stops at the cap.
    QVERIFY(header->sectionSize(0) >=
            list->sizeHintForIndex(page->Model()->index(longest, 0)).width());
    QVERIFY(header->sectionSize(0) >= 150);
    QVERIFY(header->sectionSize(1) >=
            list->sizeHintForIndex(page->Model()->index(longest, 1)).width());
    QVERIFY(header->sectionSize(1) > 100);
    QVERIFY(list->sizeHintForIndex(page->Model()->index(longest, 2)).width() > cap);
    QCOMPARE(header->sectionSize(2), cap);
    // The captions are whole too, sort arrow included.
    for (int c = 0; c < 3; ++c)
        QVERIFY(header->sectionSize(c) >= header->sectionSizeHint(c));
    // A refill does not undo what the reader chose.
    header->resizeSection(0, 77);
    page->Refresh();
    QCOMPARE(header->sectionSize(0), 77);
}

void TestIndexLists::previewHintUntilARowIsChosen()
{
    showPage(TfrmIndeks::tsGatunki);
    TIndexListPage *page = index()->ListPage(TfrmIndeks::tsGatunki);
    QLabel *hint = page->Hint();
    QVERIFY(!hint->isHidden());
    QVERIFY(page->Preview()->isHidden());
    QCOMPARE(hint->text(), QStringLiteral("Wybierz pozycję z listy, aby zobaczyć jej podgląd."));
    QCOMPARE(hint->accessibleName(), QStringLiteral("Szybki podgląd"));
    QCOMPARE(hint->accessibleDescription(), hint->text());
    QCOMPARE(hint->geometry(), page->Preview()->geometry());
    // In the preview's colours and its document font.
    QCOMPARE(hint->palette().color(QPalette::Window), QColor(255, 255, 160));
    QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(hint->autoFillBackground());
    Preferences prefs;
    prefs.docFont = QStringLiteral("Courier New");
    prefs.docFontSize = 14;
    index()->ApplyDocumentLook(prefs);
    QCOMPARE(hint->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(hint->font().pointSize(), 14);

    page->List()->setCurrentIndex(page->Model()->index(0, 0));
    page->lvTimerTimer();
    QVERIFY(hint->isHidden());
    QVERIFY(!page->Preview()->isHidden());
    QCOMPARE(page->Preview()->toPlainText(), QStringLiteral("Ballada łączy epikę z liryką."));

    // Hidden, the pane forgets its preview; shown again with nothing chosen, it hints again.
    page->TogglePreview();
    page->List()->selectionModel()->clear();
    page->TogglePreview();
    QVERIFY(!hint->isHidden());
    QVERIFY(page->Preview()->isHidden());
}

void TestIndexLists::helpModeInTheIndex()
{
    showPage(TfrmIndeks::tsDziela);
    QTreeView *list = index()->ListPage(TfrmIndeks::tsDziela)->List();
    m_program.pulpit()->SetHelpMode(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!m_program.pulpit()->HelpMode());
    QCOMPARE(m_help.popups, QList<int>{4025});
    // Outside help mode the click only selects.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m_help.popups.size(), 1);
}

void TestIndexLists::tabLayouts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("rows"); // the tabs in several rows, else the page control's one row
    QTest::addColumn<int>("order");
    QTest::newRow("one row") << 0 << false << int(TMultiRowTabBar::TabOrder);
    QTest::newRow("several rows") << 1 << true << int(TMultiRowTabBar::TabOrder);
    QTest::newRow("rows that jump") << 2 << true << int(TMultiRowTabBar::CurrentRowNextToPage);
    QTest::newRow("unknown value keeps the last")
        << 7 << true << int(TMultiRowTabBar::CurrentRowNextToPage);
}

void TestIndexLists::tabLayouts()
{
    QFETCH(int, state);
    QFETCH(bool, rows);
    QFETCH(int, order);
    m_program.pulpit()->Prefs().indeksState = 2;
    index()->ApplyIndexLook();
    m_program.pulpit()->Prefs().indeksState = state;
    index()->ApplyIndexLook();
    TMultiRowTabBar *bar = index()->TabRows();
    QCOMPARE(bar->isVisibleTo(index()), rows);
    QCOMPARE(index()->pcIndeks()->tabBar()->isVisibleTo(index()), !rows);
    QCOMPARE(int(bar->rowOrder()), order);
    QCOMPARE(bar->count(), index()->pcIndeks()->count());
    // The two bars show the same page whichever is used.
    bar->setCurrentIndex(TfrmIndeks::tsCytaty);
    QCOMPARE(index()->pcIndeks()->currentIndex(), int(TfrmIndeks::tsCytaty));
    index()->pcIndeks()->setCurrentIndex(TfrmIndeks::tsTerminy);
    QCOMPARE(bar->currentIndex(), int(TfrmIndeks::tsTerminy));
    if (rows) {
        // At the width of a 1024-pixel screen every caption is whole.
        index()->resize(1024 - 8, 600);
        QCoreApplication::processEvents();
        QVERIFY(bar->rowCount() >= 1);
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY(bar->rect().contains(bar->tabRect(i)));
            QVERIFY(bar->tabRect(i).width() >= bar->tabSizeHint(i).width());
        }
    }
}

void TestIndexLists::panelsStayCentred()
{
    QWidget *start = index()->pcIndeks()->widget(TfrmIndeks::tsStart);
    QFrame *panel = panelOf(TfrmIndeks::tsStart);
    QCOMPARE(panel->size(), QSize(402, 269));
    QCOMPARE(panel->pos(), QPoint((start->width() - 402) / 2, (start->height() - 269) / 2));
    for (int page :
         {TfrmIndeks::tsEpoki, TfrmIndeks::tsRodzaje, TfrmIndeks::tsHistoria, TfrmIndeks::tsQuiz})
        QCOMPARE(panelOf(page)->pos(), panel->pos());

    // A page narrower than the panel: the offset is negative, truncated toward zero.
    QWidget *window = index()->parentWidget();
    window->showNormal();
    window->setMinimumSize(0, 0);
    index()->setMinimumSize(0, 0);
    window->resize(300, 300);
    QTRY_VERIFY(start->width() < 402);
    index()->FormResize();
    QVERIFY(panel->x() < 0);
    QCOMPARE(panel->x(), -((402 - start->width()) / 2));
}

void TestIndexLists::startButtonsSwitchPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::newRow("works") << QStringLiteral("btDziela") << int(TfrmIndeks::tsDziela);
    QTest::newRow("characters") << QStringLiteral("btBohaterowie")
                                << int(TfrmIndeks::tsBohaterowie);
    QTest::newRow("terms") << QStringLiteral("btSlownik") << int(TfrmIndeks::tsTerminy);
    QTest::newRow("art") << QStringLiteral("btSztuka") << int(TfrmIndeks::tsHistoria);
    QTest::newRow("calendar") << QStringLiteral("btKalend") << int(TfrmIndeks::tsKalendarium);
}

void TestIndexLists::startButtonsSwitchPages()
{
    QFETCH(QString, button);
    QFETCH(int, page);
    auto *start = panelOf(TfrmIndeks::tsStart)->findChild<TGlyphButton *>(button);
    QVERIFY(start);
    QCOMPARE(start->size(), QSize(34, 34));
    QCOMPARE(start->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(start->property("hint").toString().contains(QStringLiteral("\r\n")));

    // In help mode the button shows the start page's help and switches nothing.
    m_program.pulpit()->SetHelpMode(true);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(m_help.popups, QList<int>{4023});
    QCOMPARE(index()->pcIndeks()->currentIndex(), int(TfrmIndeks::tsStart));

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(index()->pcIndeks()->currentIndex(), page);
    QCOMPARE(index()->windowTitle(),
             QStringLiteral("Indeks: «") + index()->pcIndeks()->tabText(page) + u'»');
    if (TIndexListPage *list = index()->ListPage(page))
        QVERIFY(list->Model()->rowCount() > 0); // the page-change steps ran
}

namespace {

// Which picture buttons have a glyph and what each image shows, by name.
QMap<QString, qint64> pictures(const TfrmIndeks *window)
{
    QMap<QString, qint64> seen;
    for (const TGlyphButton *button : window->findChildren<TGlyphButton *>())
        seen[button->objectName()] =
            button->HasGlyph() ? button->Glyph(TGlyphButton::Normal).cacheKey() : 0;
    for (const TImage *image : window->findChildren<TImage *>())
        seen[image->objectName()] = image->Picture().cacheKey();
    return seen;
}

} // namespace

void TestIndexLists::imageList_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QStringList>("changed");
    QTest::newRow("button") << QByteArray("btDziela=glyph.bmp\r\n")
                            << QStringList{QStringLiteral("btDziela")};
    QTest::newRow("image") << QByteArray("imStart=start.png")
                           << QStringList{QStringLiteral("imStart")};
    QTest::newRow("names in any case")
        << QByteArray("IMEPOKI=START.PNG\r\nbtgatunkicl=glyph.bmp\r\n")
        << QStringList{QStringLiteral("imEpoki"), QStringLiteral("btGatunkiCl")};
    QTest::newRow("ornament") << QByteArray("ImDzielaL=start.png")
                              << QStringList{QStringLiteral("ImDzielaL")};
    QTest::newRow("no such component") << QByteArray("imNothing=start.png") << QStringList{};
    QTest::newRow("neither button nor image")
        << QByteArray("lbDziela=start.png\r\npcIndeks=start.png") << QStringList{};
    QTest::newRow("no equals sign") << QByteArray("imStart start.png") << QStringList{};
    QTest::newRow("missing picture") << QByteArray("imStart=brak.png") << QStringList{};
    QTest::newRow("picture outside bmps") << QByteArray("imStart=../outside.png") << QStringList{};
}

void TestIndexLists::imageList()
{
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, changed);
    QTemporaryDir dir;
    const QString bmps = useSkin(dir, lines);
    QImage glyph(170, 34, QImage::Format_RGB32);
    glyph.fill(Qt::darkGreen);
    glyph.setPixel(0, 33, qRgb(255, 0, 255));
    QVERIFY(glyph.save(bmps + QStringLiteral("/glyph.bmp")));
    QImage background(400, 267, QImage::Format_RGB32);
    background.fill(Qt::darkBlue);
    QVERIFY(background.save(bmps + QStringLiteral("/start.png")));
    QVERIFY(background.save(dir.filePath(QStringLiteral("outside.png"))));

    const QMap<QString, qint64> before = pictures(index());
    QVERIFY(index()->LoadImageList());
    const QMap<QString, qint64> after = pictures(index());
    QStringList differ;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (before.value(it.key()) != it.value())
            differ.append(it.key());
    }
    std::sort(changed.begin(), changed.end());
    QCOMPARE(differ, changed);
    if (changed.contains(QStringLiteral("btDziela"))) {
        const auto *button = index()->findChild<TGlyphButton *>(QStringLiteral("btDziela"));
        QCOMPARE(button->Glyph(TGlyphButton::Hot).size(), QSize(34, 34));
        QCOMPARE(qAlpha(button->Glyph(TGlyphButton::Normal).pixel(0, 33)), 0);
    }
    if (changed.contains(QStringLiteral("ImDzielaL"))) // sized to its picture
        QCOMPARE(index()->findChild<TImage *>(QStringLiteral("ImDzielaL"))->size(),
                 QSize(400, 267));
    if (changed.contains(QStringLiteral("imStart")))
        QCOMPARE(index()->findChild<TImage *>(QStringLiteral("imStart"))->Picture().pixel(5, 5),
                 QColor(Qt::darkBlue).rgb());
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!m_program.pulpit()->TerminationRequested());
}

void TestIndexLists::missingImageList()
{
    QTemporaryDir dir;
    Paths::setBmpsFolder(dir.path());
    QVERIFY(!index()->LoadImageList());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text,
             QStringLiteral("Nie można otworzyć plików konfiguracyjnych programu!"));
    QCOMPARE(m_messages[0].caption, QStringLiteral("Uwaga"));
    QCOMPARE(m_messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(m_program.pulpit()->TerminationRequested());
}

void TestIndexLists::pendingPreviewKeepsItsRowThroughASort()
{
    showPage(TfrmIndeks::tsDziela);
    TIndexListPage *works = index()->ListPage(TfrmIndeks::tsDziela);
    TIndexListModel *model = works->Model();
    const int lalka = rowTitled(model, QStringLiteral("Lalka"));
    works->List()->setCurrentIndex(model->index(lalka, 0));
    Q_EMIT works->List()->header()->sectionClicked(0); // within the rest: the rows turn round
    QVERIFY(rowTitled(model, QStringLiteral("Lalka")) != lalka);
    QVERIFY(works->lvTimer()->isActive());
    works->lvTimerTimer();
    QVERIFY(works->Preview()->toPlainText().startsWith(QStringLiteral("Tekst 2 ")));
}

void TestIndexLists::findingByTypingStartsAfterTheSelectedRow()
{
    showPage(TfrmIndeks::tsDziela);
    TIndexListPage *works = index()->ListPage(TfrmIndeks::tsDziela);
    qint64 now = 10000;
    works->SetClock([&now] { return now; });
    QTreeView *list = works->List();
    Q_EMIT list->header()->sectionClicked(
        1); // by author: "", Adam Mickiewicz, Anonim, Bolesław Prus
    const auto author = [list] {
        return list->currentIndex().siblingAtColumn(1).data().toString();
    };

    // The focus leaves a current row that is not selected: the search starts at the first row.
    list->selectionModel()->setCurrentIndex(works->Model()->index(1, 0),
                                            QItemSelectionModel::NoUpdate);
    QVERIFY(!list->selectionModel()->hasSelection());
    QTest::keyClicks(list, QStringLiteral("a"));
    QCOMPARE(author(), QStringLiteral("Adam Mickiewicz"));
    // Now that it is selected, the next search starts after it.
    now += 1001;
    QTest::keyClicks(list, QStringLiteral("a"));
    QCOMPARE(author(), QStringLiteral("Anonim"));
}

void TestIndexLists::otherListsSearchTheFirstColumn()
{
    showPage(TfrmIndeks::tsCytaty);
    TIndexListPage *quotes = index()->ListPage(TfrmIndeks::tsCytaty);
    QTreeView *list = quotes->List();
    const int adam = rowTitled(quotes->Model(), QStringLiteral("Adam Mickiewicz"));
    // The reader clicked the other column of the other row: the search still looks at authors.
    list->setCurrentIndex(quotes->Model()->index(1 - adam, 1));
    QTest::keyClicks(list, QStringLiteral("a"));
    QCOMPARE(list->currentIndex().row(), adam);
    QVERIFY(list->selectionModel()->isRowSelected(adam, QModelIndex()));
}

void TestIndexLists::numberWithAPolishLetter()
{
    showPage(TfrmIndeks::tsTerminy);
    TIndexListPage *terms = index()->ListPage(TfrmIndeks::tsTerminy);
    const int row = rowTitled(terms->Model(), QStringLiteral("Żart"));
    QVERIFY(row >= 0);
    QCOMPARE(terms->Model()->RowAt(row).record->Numer, QStringLiteral("ż1"));
    terms->List()->setCurrentIndex(terms->Model()->index(row, 0));
    terms->lvTimerTimer();
    QCOMPARE(terms->Preview()->toPlainText(), QStringLiteral("Żart to żart."));
    QTest::keyClick(terms->List(), Qt::Key_Return);
    QCOMPARE(m_program.pulpit()->ChildWindows().size(), 2);
    QCOMPARE(m_program.pulpit()->ChildWindows().last()->windowTitle(),
             QStringLiteral("Termin: Żart"));
}

void TestIndexLists::unreadableContainer_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("list filled at its first visit") << QStringLiteral("fill");
    QTest::newRow("list refreshed") << QStringLiteral("refresh");
    QTest::newRow("preview") << QStringLiteral("preview");
}

void TestIndexLists::unreadableContainer()
{
    QFETCH(QString, operation);
    TIndexListPage *works = index()->ListPage(TfrmIndeks::tsDziela);
    TIndexListModel *model = works->Model();
    if (operation != u"fill") {
        showPage(TfrmIndeks::tsDziela);
        QCOMPARE(model->rowCount(), 4);
        // Another entry's preview stands in the pane before the disc goes bad.
        works->List()->setCurrentIndex(
            model->index(rowTitled(model, QStringLiteral("Lalka")) == 0 ? 1 : 0, 0));
        works->lvTimerTimer();
        QVERIFY(!works->Preview()->toPlainText().isEmpty());
        works->List()->setCurrentIndex(model->index(rowTitled(model, QStringLiteral("Lalka")), 0));
    }
    // The disc goes bad under the running program: the container is cut short.
    const QString path = m_program.dir().filePath(QStringLiteral("DATA/Verbarium.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    QVERIFY(QFile::resize(path, 4));

    const auto run = [&] {
        if (operation == u"fill")
            showPage(TfrmIndeks::tsDziela);
        else if (operation == u"refresh")
            m_program.pulpit()->Action(QStringLiteral("btRefresh"))->trigger();
        else
            works->lvTimerTimer();
    };
    run();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    QVERIFY2(m_messages[0].text.contains(QStringLiteral("Błąd odczytu pliku")),
             qPrintable(m_messages[0].text));
    // Everything the operation changed is back.
    QVERIFY(m_program.pulpit()->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(m_program.searcher().isHidden());
    QVERIFY(!m_program.pulpit()->Opening());
    if (operation == u"preview") {
        // No other entry's text stays under the selected row: the pane shows its hint.
        QVERIFY(works->Preview()->toPlainText().isEmpty());
        QVERIFY(!works->Hint()->isHidden());
    } else {
        // A list that could not be read stays empty, with no records left behind.
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(index()->RowRecords().Count(), 0);
    }

    // The program goes on: once the disc reads again, so does the operation.
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(whole), whole.size());
    file.close();
    if (operation == u"fill")
        showPage(TfrmIndeks::tsStart);
    run();
    QCOMPARE(m_messages.size(), 1);
    if (operation == u"preview")
        QVERIFY(works->Preview()->toPlainText().startsWith(QStringLiteral("Tekst 2 ")));
    else
        QCOMPARE(model->rowCount(), 4);
}

QTEST_MAIN(TestIndexLists)
#include "tst_indexlists.moc"
