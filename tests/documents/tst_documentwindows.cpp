#include "AppIcons.h"
#include "CategoryTable.h"
#include "DocumentClasses.h"
#include "FakeHelp.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "PictureFixture.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TM3Player.h"
#include "TPSSDirectory.h"
#include "TPictureDisplay.h"
#include "TPulpit.h"
#include "TScrollBanner.h"
#include "TSimplePSS.h"
#include "TToolbarButton97.h"
#include "TfrmIlustra.h"
#include "TfrmSearcher.h"
#include "TfrmWzorTekst.h"
#include "VolumeList.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <QToolButton>

using namespace fixture;

namespace {

QByteArray fields(const QString &text)
{
    return cp(text);
}

} // namespace

class TestDocumentWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void registeredClassesOpen_data();
    void registeredClassesOpen();
    void everyWindowRowOpensItsClass();
    void buttonsStandInTheirOrder();
    void buttonsShowTheirCategories_data();
    void buttonsShowTheirCategories();
    void noRelationsHidesBarAndStrip();
    void darkStripToItsEdges();
    void thumbnailStrip_data();
    void thumbnailStrip();
    void thumbnailOpensItsIllustration_data();
    void thumbnailOpensItsIllustration();
    void relatedMenuOpensTheEntry();
    void soundFragmentPlaysAndIsRemembered();
    void linkClicks_data();
    void linkClicks();
    void picturesComeOnlyFromBmps_data();
    void picturesComeOnlyFromBmps();
    void busyWindowRefusesToClose();
    void helpModeInTheText();
    void fontChangeReachesEveryDocument();
    void findInPageStaysInItsWindow();
    void worksBanner();
    void illustration_data();
    void illustration();
    void illustrationPopupOnThePicture();
    void readErrorAfterStartUp_data();
    void readErrorAfterStartUp();
    void narrationFailuresAreShown_data();
    void narrationFailuresAreShown();

private:
    void writeData(const Entries &extra = {});
    void cutContainerAt(const QByteArray &name);
    TfrmWzorDoc *open(const QString &typ, const QString &numer);
    // Ctrl+F4, as the reader closes the active window.
    void closeActiveByKey();

    ProgramFixture m_program;
    TPulpit *m_pulpit = nullptr;        // the fixture's
    TfrmSearcher *m_searcher = nullptr; // the fixture's
    FakeHelp m_help;
    QList<MessageBoxes::Message> m_messages;
};

void TestDocumentWindows::init()
{
    m_help = FakeHelp();
    recordMessages(m_messages);
    qputenv("VERBARIUM_AUDIO_OUT", "test:");
}

void TestDocumentWindows::cleanup()
{
    m_program.stop();
    m_pulpit = nullptr;
    m_searcher = nullptr;
    MessageBoxes::setHandler(nullptr);
    qunsetenv("VERBARIUM_AUDIO_OUT");
}

// A small encyclopedia: a work related to two biographies and a quotation, with eleven
// illustrations; a biography with a sound fragment; an epoch with no relations at all.
void TestDocumentWindows::writeData(const Entries &extra)
{
    QList<Item> items{{unid(1), "_19701", "1"},    {unid(2), "_19702", "1"},
                      {unid(3), "_19702", "2"},    {unid(4), "_19720", "1"},
                      {unid(5), "_19703", "21F6"}, {unid(6), "_19721", "1"},
                      {unid(7), "_19701", "2"}};
    QStringList illustrations;
    for (int i = 1; i <= 11; ++i) {
        items.append({unid(100 + i), "_19711", QByteArray::number(i)});
        illustrations.append(QString::number(i));
    }
    Entries entries{
        {"L197\\TypX\\_19701\\1\\Pola",
         fields(QStringLiteral(
                    "Tytuł=Pan Tadeusz\nAutor=Adam Mickiewicz\nLead=Ostatni zajazd na Litwie\n"
                    "_19702=2;1\n_19720=1\n_19711= ") +
                illustrations.join(u';'))},
        {"_19701\\1", cp(QStringLiteral("<p>Litwo! Ojczyzno moja!</p>"))},
        {"L197\\TypX\\_19701\\2\\Pola", fields(QStringLiteral("Tytuł=Dziady\n_19711=1;2;3;4"))},
        {"L197\\TypX\\_19702\\1\\Pola", fields(QStringLiteral("Autor=Adam Mickiewicz\n_19721=1"))},
        {"L197\\TypX\\_19702\\2\\Pola", fields(QStringLiteral("Autor=Aleksander Fredro"))},
        {"_19702\\1", cp(QStringLiteral("<p>Poeta.</p>"))},
        {"L197\\TypX\\_19720\\1\\Pola",
         fields(QStringLiteral("Autor=Adam Mickiewicz\nŹródło=Pan Tadeusz"))},
        {"L197\\TypX\\_19703\\21F6\\Pola", fields(QStringLiteral("Epoka=Romantyzm"))},
        {"_19703\\21F6",
         cp(QStringLiteral("<h1>Romantyzm</h1><p>Zob. <a href=\"../_19702/1.") +
            QString::fromLatin1(unid(2)) + QStringLiteral("?Open\">Mickiewicz</a>.</p>"))},
        {"L197\\TypX\\_19721\\1\\Pola",
         fields(QStringLiteral("Tytuł=O Mickiewiczu\nLink=mickiewicz"))},
        {"_197SND\\Glosy\\mickiewicz", QByteArray("not really audio")},
    };
    for (int i = 1; i <= 11; ++i) {
        const QByteArray n = QByteArray::number(i);
        entries.append({"L197\\TypX\\_19711\\" + n + "\\Pola",
                        fields(QStringLiteral("Tytuł=Ilustracja %1\nNumer=%1").arg(i))});
        entries.append({"_19711\\" + n + "\\THUMB", picture("BMP", QSize(96, 72), Qt::red)});
    }
    entries.append({"_19711\\1\\Opis", cp(QStringLiteral("<p>Opis ilustracji.</p>"))});
    entries.append({"_19711\\1\\FULL", picture("JPG", QSize(320, 200), Qt::blue)});
    entries.append({"_19711\\2\\Opis", cp(QStringLiteral("<p>Bez obrazu.</p>"))});
    entries.append({"_19711\\3\\FULL", picture("JPG", QSize(64, 64), Qt::green)});
    entries += extra;
    entries.prepend({"L197\\UnidX", itemIndex(items)});

    QVERIFY(m_program.openData(container(entries)));
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = true;
    environment.mp3Library = QStringLiteral(VERBARIUM_MP3_LIBRARY);
    m_pulpit = &m_program.startPulpit(environment);
    m_searcher = &m_program.searcher();
    m_pulpit->resize(1100, 800);
    m_pulpit->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pulpit));
}

// Cuts the container file short where the entry's data begins, as a scratched disc or a file
// cut while the program runs would: that entry and every later one can no longer be read.
void TestDocumentWindows::cutContainerAt(const QByteArray &name)
{
    TSimplePSS &file = Directory()->container();
    for (int i = 0; i < file.count(); ++i) {
        if (file.entryAt(i).name == name) {
            QVERIFY(QFile::resize(file.fileName(), file.entryAt(i).offset));
            return;
        }
    }
    QFAIL("no such entry");
}

void TestDocumentWindows::closeActiveByKey()
{
    QTest::keyClick(m_pulpit, Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TfrmWzorDoc *TestDocumentWindows::open(const QString &typ, const QString &numer)
{
    m_pulpit->OpenDocument(typ, numer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return qobject_cast<TfrmWzorDoc *>(m_pulpit->ActiveChild());
}

void TestDocumentWindows::registeredClassesOpen_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("link");
    QTest::addColumn<bool>("images");
    const QColor white(255, 255, 255), black(0, 0, 0), blue(0, 0, 255);
    QTest::newRow("works") << QStringLiteral("_19701") << QStringLiteral("TfrmDziela")
                           << QColor(0, 0, 64) << QColor(255, 0, 0) << false;
    QTest::newRow("biographies") << QStringLiteral("_19702") << QStringLiteral("TfrmBiogramy")
                                 << QColor(192, 176, 160) << blue << false;
    QTest::newRow("epochs") << QStringLiteral("_19703") << QStringLiteral("TfrmEpoki") << white
                            << blue << false;
    QTest::newRow("genres") << QStringLiteral("_19704") << QStringLiteral("TfrmGatunki")
                            << QColor(200, 255, 255) << blue << false;
    QTest::newRow("terms") << QStringLiteral("_19705") << QStringLiteral("TfrmTerminy")
                           << QColor(0, 64, 64) << QColor(255, 255, 0) << false;
    QTest::newRow("excerpts") << QStringLiteral("_19706") << QStringLiteral("TfrmWypisy")
                              << QColor(255, 255, 160) << blue << true;
    QTest::newRow("illustrations")
        << QStringLiteral("_19711") << QStringLiteral("TfrmIlustra") << black << blue << false;
    QTest::newRow("art") << QStringLiteral("_19712") << QStringLiteral("TfrmSztuka") << white
                         << blue << false;
    QTest::newRow("art 2") << QStringLiteral("_19713") << QStringLiteral("TfrmSztuka2") << white
                           << blue << false;
    QTest::newRow("kinds") << QStringLiteral("_19714") << QStringLiteral("TfrmRodzaje")
                           << QColor(255, 180, 150) << blue << false;
    QTest::newRow("quotations") << QStringLiteral("_19720") << QStringLiteral("TfrmCytaty")
                                << QColor(255, 255, 160) << blue << false;
    QTest::newRow("heroes") << QStringLiteral("_19799") << QStringLiteral("TfrmBohater") << white
                            << blue << true;
}

void TestDocumentWindows::registeredClassesOpen()
{
    QFETCH(QString, typ);
    QFETCH(QString, className);
    QFETCH(QColor, back);
    QFETCH(QColor, link);
    QFETCH(bool, images);
    writeData();
    TfrmWzorDoc *window = open(typ, QStringLiteral("999"));
    QVERIFY(window);
    QCOMPARE(QString::fromLatin1(window->metaObject()->className()), className);
    QCOMPARE(window->BackColor(), back);
    QCOMPARE(window->LinkColor(), link);
    QCOMPARE(window->HT1()->ViewImages(), images);
    QCOMPARE(window->HT1()->DefBackground(), back);
    QVERIFY(!window->Busy()); // an absent entry still ends its loading
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_pulpit->OpenWindows().Count(), 1);
}

// The dispatcher's registry is built from the category table: a row naming a window class
// must open in that class, and one code must not have two rows. The search takes the rows
// with a window as the leading ones.
void TestDocumentWindows::everyWindowRowOpensItsClass()
{
    writeData();
    QSet<QString> codes;
    int order = 0;
    for (const CategoryTable::Category &row : CategoryTable::Rows()) {
        QVERIFY2(!codes.contains(row.typ), qPrintable(row.typ));
        codes.insert(row.typ);
        QCOMPARE(row.windowClass.isEmpty(), order++ >= CategoryTable::WindowCount());
        if (row.windowClass.isEmpty())
            continue;
        TfrmWzorDoc *window = open(row.typ, QStringLiteral("999"));
        QVERIFY2(window, qPrintable(row.typ));
        QCOMPARE(QString::fromLatin1(window->metaObject()->className()), row.windowClass);
    }
}

void TestDocumentWindows::buttonsStandInTheirOrder()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    QVERIFY(work && !work->Busy());
    QCOMPARE(work->windowTitle(), QStringLiteral("Dzieło: Pan Tadeusz - Adam Mickiewicz"));
    QVERIFY(!work->Panel1()->isHidden());
    QToolButton *biographies = work->ButtonAt(TfrmWzorDoc::btBiogramy);
    QToolButton *quotations = work->ButtonAt(TfrmWzorDoc::btCytaty);
    QVERIFY(!biographies->isHidden() && !quotations->isHidden());
    QCOMPARE(biographies->x(), 2);
    QCOMPARE(quotations->x(), 48);
    for (int b = 0; b < TfrmWzorDoc::ButtonCount; ++b) {
        if (b != TfrmWzorDoc::btBiogramy && b != TfrmWzorDoc::btCytaty)
            QVERIFY(work->ButtonAt(TfrmWzorDoc::Button(b))->isHidden());
    }
    // The menu is sorted by caption; each item keeps the index of its link.
    const QList<QAction *> items = biographies->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QStringLiteral("Adam Mickiewicz"));
    QCOMPARE(items[0]->data().toInt(), 1);
    QCOMPARE(items[1]->text(), QStringLiteral("Aleksander Fredro"));
    QCOMPARE(items[1]->statusTip(), QStringLiteral("Autor: Aleksander Fredro"));
}

void TestDocumentWindows::buttonsShowTheirCategories_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("typ");
    const auto row = [](const char *name, TfrmWzorDoc::Button button, const char16_t *hint,
                        const char16_t *typ) {
        QTest::newRow(name) << int(button) << QString::fromUtf16(hint) << QString::fromUtf16(typ);
    };
    row("works", TfrmWzorDoc::btDziela, u"Powiązane dzieła", u"_19701");
    row("biographies", TfrmWzorDoc::btBiogramy, u"Powiązane biogramy", u"_19702");
    row("epochs", TfrmWzorDoc::btEpoki, u"Powiązane epoki literackie", u"_19703");
    row("kinds", TfrmWzorDoc::btRodzaje, u"Powiązane rodzaje literackie", u"_19714");
    row("genres", TfrmWzorDoc::btGatunki, u"Powiązane gatunki literackie", u"_19704");
    row("excerpts", TfrmWzorDoc::btWypisy, u"Powiązane wypisy z literatury", u"_19706");
    row("quotations", TfrmWzorDoc::btCytaty, u"Powiązane cytaty", u"_19720");
    row("sounds", TfrmWzorDoc::btWypowiedz, u"Powiązane fragmenty dźwiękowe", u"_19721");
    row("illustrations", TfrmWzorDoc::btIlustracje, u"Powiązane ilustracje", u"_19711");
    row("characters", TfrmWzorDoc::btBohaterowie, u"Powiązani bohaterowie literaccy", u"_19799");
}

void TestDocumentWindows::buttonsShowTheirCategories()
{
    QFETCH(int, button);
    QFETCH(QString, hint);
    QFETCH(QString, typ);
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    QVERIFY(work);
    const QToolButton *shown = work->ButtonAt(TfrmWzorDoc::Button(button));
    // The picture of the category, no text; the hint is the tooltip and what a screen reader says.
    const auto picture = [](const QIcon &icon) {
        return icon.pixmap(QSize(30, 30), 1.0).toImage();
    };
    QVERIFY(qobject_cast<const TToolbarButton97 *>(shown)); // its focus frame shows on the dark bar
    QVERIFY(!shown->icon().isNull());
    QCOMPARE(picture(shown->icon()), picture(AppIcons::Category(typ)));
    QVERIFY(shown->text().isEmpty());
    QCOMPARE(shown->toolTip(), hint);
    QCOMPARE(shown->accessibleName(), hint);
}

void TestDocumentWindows::noRelationsHidesBarAndStrip()
{
    writeData();
    TfrmWzorDoc *epoch = open(QStringLiteral("_19703"), QStringLiteral("21F6"));
    QCOMPARE(epoch->windowTitle(), QStringLiteral("Epoka: Romantyzm"));
    QVERIFY(epoch->Panel1()->isHidden());
    QVERIFY(epoch->TWImage()->isHidden());
    QVERIFY(epoch->HT1()->toPlainText().startsWith(QStringLiteral("Romantyzm")));
}

void TestDocumentWindows::darkStripToItsEdges()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("2"));
    QVERIFY(work && !work->TWImage()->isHidden());
    const QColor back = work->BackColor();
    QCOMPARE(back, QColor(0, 0, 64));
    auto *body = work->findChild<QWidget *>(QStringLiteral("Body"));
    QVERIFY(body);
    const QImage image = body->grab().toImage();
    // Everything left of the text that is not a thumbnail: the strip's handle above the
    // thumbnails, the ground below them and the separator beside them.
    const QRect strip(QPoint(0, 0), QPoint(work->HT1()->geometry().left() - 1, image.height() - 1));
    QRegion thumbnails;
    for (QWidget *thumbnail : work->Thumbnails())
        thumbnails += QRect(thumbnail->mapTo(body, QPoint(0, 0)), thumbnail->size());
    int checked = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        for (int x = strip.left(); x <= strip.right(); ++x) {
            if (thumbnails.contains(QPoint(x, y)))
                continue;
            QVERIFY2(image.pixelColor(x, y) == back,
                     qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            ++checked;
        }
    }
    // At least the separator's column and the handle's band were looked at.
    QVERIFY(thumbnails.boundingRect().top() > 0);
    QVERIFY(checked > strip.height() * (strip.width() - TfrmWzorDoc::ThumbnailPitch));
}

void TestDocumentWindows::thumbnailStrip_data()
{
    QTest::addColumn<QString>("work");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("scrollBar");
    QTest::newRow("eleven") << QStringLiteral("1") << 11 << true;
    QTest::newRow("four") << QStringLiteral("2") << 4 << false;
}

void TestDocumentWindows::thumbnailStrip()
{
    QFETCH(QString, work);
    QFETCH(int, count);
    QFETCH(bool, scrollBar);
    writeData();
    TfrmWzorDoc *window = open(QStringLiteral("_19701"), work);
    // A scroll box 500 pixels high.
    QWidget *sub = window->parentWidget();
    sub->showNormal();
    QTRY_VERIFY(!sub->isMaximized());
    sub->resize(700, 700);
    QTRY_VERIFY(window->sbImages()->viewport()->height() > 300);
    sub->resize(700, 500 + sub->height() - window->sbImages()->viewport()->height());
    QTRY_COMPARE(window->sbImages()->viewport()->height(), 500);
    const QList<QWidget *> thumbnails = window->Thumbnails();
    QCOMPARE(thumbnails.size(), count);
    for (int i = 0; i < count; ++i) {
        QCOMPARE(thumbnails[i]->geometry(), QRect(1, 1 + 98 * i, 96, 96));
        QCOMPARE(thumbnails[i]->toolTip(), QStringLiteral("Ilustracja %1").arg(i + 1));
    }
    const int bar =
        window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window->sbImages());
    QCOMPARE(window->sbImages()->width(), scrollBar ? 98 + bar : 98);
    QVERIFY(!window->TWImage()->isHidden());
}

void TestDocumentWindows::thumbnailOpensItsIllustration_data()
{
    QTest::addColumn<int>("key"); // 0: a click

    QTest::newRow("click") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestDocumentWindows::thumbnailOpensItsIllustration()
{
    QFETCH(int, key);
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("2"));
    QWidget *thumbnail = work->Thumbnails().at(2);
    m_pulpit->SetHelpMode(true); // thumbnails do not look at the help mode
    if (key == 0) {
        QTest::mouseClick(thumbnail, Qt::LeftButton);
    } else {
        // Reached by Tab, as every other control of the window.
        QVERIFY(thumbnail->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(thumbnail, Qt::Key(key));
    }
    m_pulpit->SetHelpMode(false);
    auto *illustration = qobject_cast<TfrmIlustra *>(m_pulpit->ActiveChild());
    QVERIFY(illustration);
    QCOMPARE(illustration->Numer(), QStringLiteral("3"));
    closeActiveByKey();
    QCOMPARE(m_pulpit->ActiveChild(), work);
}

void TestDocumentWindows::relatedMenuOpensTheEntry()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    QAction *fredro = work->ButtonAt(TfrmWzorDoc::btBiogramy)->menu()->actions().at(1);

    m_pulpit->SetHelpMode(true);
    fredro->trigger(); // in help mode: ends the mode, opens nothing
    QVERIFY(!m_pulpit->HelpMode());
    QCOMPARE(m_pulpit->ChildWindows().size(), 1);
    QVERIFY(m_help.popups.isEmpty());

    // Chosen as a screen reader chooses it: through the item's accessible press action, with
    // the menu up.
    QMenu *menu = work->ButtonAt(TfrmWzorDoc::btBiogramy)->menu();
    menu->popup(work->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(menu->isVisible());
    QAccessibleInterface *items = QAccessible::queryAccessibleInterface(menu);
    QVERIFY(items);
    QAccessibleInterface *item = nullptr;
    for (int i = 0; i < items->childCount(); ++i) {
        if (items->child(i)->text(QAccessible::Name) == u"Aleksander Fredro")
            item = items->child(i);
    }
    QVERIFY(item && item->actionInterface());
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    auto *biography = qobject_cast<TfrmWzorTekst *>(m_pulpit->ActiveChild());
    QVERIFY(biography);
    QCOMPARE(biography->Numer(), QStringLiteral("2"));
    QCOMPARE(biography->windowTitle(), QStringLiteral("Twórca: Aleksander Fredro"));
    // Nothing is left up to take the keys: Ctrl+F4 closes the entry, back to the work.
    QVERIFY(!menu->isVisible());
    QVERIFY(!QApplication::activePopupWidget());
    closeActiveByKey();
    QCOMPARE(m_pulpit->ActiveChild(), work);
}

void TestDocumentWindows::soundFragmentPlaysAndIsRemembered()
{
    writeData();
    TfrmWzorDoc *biography = open(QStringLiteral("_19702"), QStringLiteral("1"));
    QToolButton *sounds = biography->ButtonAt(TfrmWzorDoc::btWypowiedz);
    QVERIFY(!sounds->isHidden());
    QCOMPARE(sounds->menu()->actions().at(0)->text(), QStringLiteral("O Mickiewiczu"));
    QString played;
    connect(m_pulpit->M3Play(), &TM3Player::AfterFileChange, this, [&] {
        if (played.isEmpty())
            played = QFileInfo(m_pulpit->M3Play()->FileName()).fileName();
    });
    sounds->menu()->actions().at(0)->trigger();
    QCOMPARE(played, QStringLiteral("mickiewicz.MP3"));
    QCOMPARE(biography->LastSound(), QStringLiteral("mickiewicz"));
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
}

void TestDocumentWindows::linkClicks_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("opened"); // the pair opened, empty for none
    const QString known = QString::fromLatin1(unid(2));
    QTest::newRow("relative path with the identifier")
        << QStringLiteral("../_19702/1.") + known + QStringLiteral("?Open")
        << QStringLiteral("_19702/1");
    QTest::newRow("identifier in lower case")
        << QStringLiteral("x") + known.toLower() + QStringLiteral("?OpenDocument&a=1")
        << QStringLiteral("_19702/1");
    QTest::newRow("fewer than 32 before the ?") << QStringLiteral("0002?Open") << QString();
    QTest::newRow("no ?: its first 32 characters")
        << known + QStringLiteral("tail") << QStringLiteral("_19702/1");
    QTest::newRow("unknown identifier")
        << QString::fromLatin1(unid(99)) + QStringLiteral("?Open") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestDocumentWindows::linkClicks()
{
    QFETCH(QString, target);
    QFETCH(QString, opened);
    writeData();
    TfrmWzorDoc *epoch = open(QStringLiteral("_19703"), QStringLiteral("21F6"));
    const QString before = epoch->HT1()->toHtml();
    bool handled = false;
    Q_EMIT epoch->HT1()->HotSpotClick(target, &handled);
    QVERIFY(handled);
    QCOMPARE(epoch->HT1()->toHtml(), before);
    TfrmWzorBazowy *active = m_pulpit->ActiveChild();
    QCOMPARE(active == epoch, opened.isEmpty());
    if (opened.isEmpty())
        return;
    QCOMPARE(active->Typ() + u'/' + active->Numer(), opened);
    closeActiveByKey();
    QCOMPARE(m_pulpit->ActiveChild(), epoch);
}

void TestDocumentWindows::picturesComeOnlyFromBmps_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("answered");
    QTest::newRow("in bmps") << QStringLiteral("kwiat.bmp") << true;
    QTest::newRow("other letter case and backslash") << QStringLiteral("SUB\\KWIAT.BMP") << true;
    QTest::newRow("missing") << QStringLiteral("brak.bmp") << false;
    QTest::newRow("climbs out") << QStringLiteral("../secret.bmp") << false;
    QTest::newRow("climbs out with a backslash")
        << QStringLiteral("sub\\..\\..\\secret.bmp") << false;
    QTest::newRow("absolute") << QStringLiteral("/tmp/secret.bmp") << false;
    QTest::newRow("drive letter") << QStringLiteral("C:\\secret.bmp") << false;
}

void TestDocumentWindows::picturesComeOnlyFromBmps()
{
    QFETCH(QString, source);
    QFETCH(bool, answered);
    writeData();
    const QString bmps = Paths::bmpsFolder();
    QDir().mkpath(bmps + QStringLiteral("/sub"));
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(bmps + QStringLiteral("/kwiat.bmp"));
    red.save(bmps + QStringLiteral("/sub/kwiat.bmp"));
    red.save(bmps + QStringLiteral("/../secret.bmp"));
    TfrmWzorDoc *window = open(QStringLiteral("_19706"), QStringLiteral("1"));
    QImage picture;
    QColor transparent;
    Q_EMIT window->HT1()->BitmapRequest(source, &picture, &transparent);
    QCOMPARE(!picture.isNull(), answered);
    if (answered)
        QCOMPARE(transparent, QColor(255, 255, 255));
}

void TestDocumentWindows::busyWindowRefusesToClose()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    work->SetBusy(true);
    work->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_pulpit->ChildWindows().size(), 1);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 1);
    work->SetBusy(false);
    work->PopupMenu1()->findChild<QAction *>(QStringLiteral("Zamkniciedokumentu1"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_pulpit->ChildWindows().size(), 0);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0);
}

void TestDocumentWindows::helpModeInTheText()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    work->PopupMenu1()->findChild<QAction *>(QStringLiteral("Cotojest1"))->trigger();
    QVERIFY(m_pulpit->HelpMode());
    QTest::mouseClick(work->HT1()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(m_help.popups, QList<int>{4030});
    QVERIFY(!m_pulpit->HelpMode());
}

void TestDocumentWindows::fontChangeReachesEveryDocument()
{
    writeData();
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    TfrmWzorDoc *epoch = open(QStringLiteral("_19703"), QStringLiteral("21F6"));
    QCOMPARE(work->DocFontName(), QStringLiteral("Arial CE"));
    m_pulpit->SetDocumentFont(QStringLiteral("Times New Roman"), 14);
    for (TfrmWzorDoc *window : {work, epoch}) {
        QCOMPARE(window->DocFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(window->HT1()->DefFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(window->HT1()->DefFontSize(), 14);
    }
    // A window opened afterwards starts with it.
    QCOMPARE(open(QStringLiteral("_19702"), QStringLiteral("1"))->DocFontSize(), 14);
}

void TestDocumentWindows::findInPageStaysInItsWindow()
{
    writeData(
        {{"_19701\\2", cp(QStringLiteral("<p>Dziady, część II.</p><p>Dziady, część III.</p>"))}});
    TfrmWzorDoc *work = open(QStringLiteral("_19701"), QStringLiteral("1"));
    TfrmWzorDoc *dziady = open(QStringLiteral("_19701"), QStringLiteral("2"));
    QVERIFY(work && dziady && work != dziady);
    m_pulpit->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
    QVERIFY(dziady->isAncestorOf(QApplication::focusWidget()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(dziady->FindBar()->isVisible());
    QVERIFY(work->FindBar()->isHidden());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("czesc"));
    QCOMPARE(dziady->FindBar()->MatchCount(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QCOMPARE(dziady->FindBar()->CurrentMatch(), 1);
    QCOMPARE(dziady->HT1()->textCursor().selectedText(), QStringLiteral("część"));
    QVERIFY(work->HT1()->extraSelections().isEmpty());
}

void TestDocumentWindows::worksBanner()
{
    writeData();
    auto *work = qobject_cast<TfrmWzorTekst *>(open(QStringLiteral("_19701"), QStringLiteral("1")));
    QVERIFY(work && work->PM1());
    QCOMPARE(work->PM1()->Text(), QStringLiteral("Ostatni zajazd na Litwie "));
    const int h = TScrollBanner::SampleTextHeight();
    QCOMPARE(work->PM1()->height(), h);
    QCOMPARE(work->Panel1()->height(), h + 34);
    QCOMPARE(work->ButtonAt(TfrmWzorDoc::btBiogramy)->y(), h + 2);
    // The main window's tick moves it.
    const int x = work->PM1()->TextPosition().x();
    QTRY_VERIFY(work->PM1()->TextPosition().x() < x);
}

void TestDocumentWindows::illustration_data()
{
    QTest::addColumn<QString>("numer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("description and picture")
        << QStringLiteral("1") << QStringLiteral("Ilustracja: Ilustracja 1")
        << QStringLiteral("Ilustracja 1\nOpis ilustracji.") << QSize(320, 200);
    QTest::newRow("no picture") << QStringLiteral("2") << QStringLiteral("Ilustracja: Ilustracja 2")
                                << QStringLiteral("Ilustracja 2\nBez obrazu.") << QSize(0, 0);
    // The picture is shown only with its description.
    QTest::newRow("no description")
        << QStringLiteral("3") << QStringLiteral("Ilustracja: Ilustracja 3") << QString()
        << QSize(0, 0);
    QTest::newRow("no field list")
        << QStringLiteral("77") << QStringLiteral("frmIlustra") << QString() << QSize(0, 0);
}

void TestDocumentWindows::illustration()
{
    QFETCH(QString, numer);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QSize, picture);
    writeData();
    // The spoken caption is asked for while the window loads.
    struct
    {
        bool shown = false, bar = false, lineVisible = false, lineUnderBar = true;
        QString bold, line;
    } seen;
    connect(m_pulpit->M3Play(), &TM3Player::AfterFileChange, this, [&] {
        seen.shown = m_searcher->isVisible();
        seen.bar = m_searcher->ProgressBar1()->isVisible();
        seen.bold = m_searcher->Label1()->text();
        seen.line = m_searcher->Label2()->text();
        seen.lineVisible = m_searcher->Label2()->isVisible();
        seen.lineUnderBar =
            m_searcher->ProgressBar1()->geometry().intersects(m_searcher->Label2()->geometry());
    });
    auto *window = qobject_cast<TfrmIlustra *>(open(QStringLiteral("_19711"), numer));
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), caption);
    // While it loads, the progress window says so on its plain line, clear of the bar.
    QVERIFY(seen.shown && seen.bar);
    QCOMPARE(seen.bold, QStringLiteral("Proszę czekać"));
    QCOMPARE(seen.line, QStringLiteral("Wczytywanie danych..."));
    QVERIFY(seen.lineVisible && !seen.lineUnderBar);
    QStringList shown = window->HT1()->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    for (QString &line : shown)
        line = line.trimmed();
    QCOMPARE(shown.join(u'\n'), text);
    QCOMPARE(window->pmDisplay()->Picture().size(), picture);
    QCOMPARE(window->LastSound(), numer == u"77" ? QString() : numer);
    QVERIFY(!window->Busy());
    QVERIFY(m_searcher->isHidden());
    QVERIFY(m_searcher->ProgressBar1()->isHidden());
    QVERIFY(!m_searcher->Label2()->isHidden());
}

void TestDocumentWindows::readErrorAfterStartUp_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("numer");
    QTest::addColumn<QByteArray>("cutAt");
    QTest::newRow("field list") << QStringLiteral("_19702") << QStringLiteral("1")
                                << QByteArray("L197\\TypX\\_19702\\1\\Pola");
    QTest::newRow("entry text") << QStringLiteral("_19703") << QStringLiteral("21F6")
                                << QByteArray("_19703\\21F6");
    QTest::newRow("thumbnail") << QStringLiteral("_19701") << QStringLiteral("2")
                               << QByteArray("_19711\\1\\THUMB");
    QTest::newRow("illustration") << QStringLiteral("_19711") << QStringLiteral("1")
                                  << QByteArray("_19711\\1\\FULL");
}

// The container becomes unreadable after start-up: opening shows the standard error box, the
// window that was being opened goes away instead of staying empty, and the program goes on.
void TestDocumentWindows::readErrorAfterStartUp()
{
    QFETCH(QString, typ);
    QFETCH(QString, numer);
    QFETCH(QByteArray, cutAt);
    writeData();
    cutContainerAt(cutAt);
    open(typ, numer);

    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    QVERIFY2(m_messages[0].text.startsWith(QStringLiteral("Błąd odczytu pliku")),
             qPrintable(m_messages[0].text));
    QCOMPARE(m_pulpit->ChildWindows().size(), 0);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0);
    QVERIFY(!m_pulpit->Opening());
    QVERIFY(m_pulpit->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(m_searcher->isHidden());

    // Nothing is stuck: an entry that needs no reading opens as ever.
    QVERIFY(open(QStringLiteral("_19703"), QStringLiteral("999")));
    QCOMPARE(m_messages.size(), 1);
}

void TestDocumentWindows::narrationFailuresAreShown_data()
{
    QTest::addColumn<bool>("unreadable"); // else the sound file cannot be created
    QTest::addColumn<QString>("text");
    QTest::newRow("recording unreadable") << true << QStringLiteral("Błąd odczytu pliku");
    QTest::newRow("sound file cannot be created")
        << false << QStringLiteral("Nie można utworzyć pliku");
}

void TestDocumentWindows::narrationFailuresAreShown()
{
    QFETCH(bool, unreadable);
    QFETCH(QString, text);
    writeData();
    TfrmWzorDoc *biography = open(QStringLiteral("_19702"), QStringLiteral("1"));
    if (unreadable) {
        cutContainerAt("_197SND\\Glosy\\mickiewicz");
    } else {
        // A file where the temporary folder was: nothing can be created in it.
        const QString folder = m_program.data().TempFolder();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder.chopped(1));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    biography->ButtonAt(TfrmWzorDoc::btWypowiedz)->menu()->actions().at(0)->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    QVERIFY2(m_messages[0].text.startsWith(text), qPrintable(m_messages[0].text));
    QVERIFY(!m_pulpit->M3Play()->Running());
}

void TestDocumentWindows::illustrationPopupOnThePicture()
{
    writeData();
    auto *window = qobject_cast<TfrmIlustra *>(open(QStringLiteral("_19711"), QStringLiteral("1")));
    QVERIFY(window);
    QMenu *popup = window->PopupMenu1();
    // On the picture as on the description below it.
    for (QWidget *target :
         {static_cast<QWidget *>(window->pmDisplay()), window->HT1()->viewport()}) {
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QCoreApplication::sendEvent(target, &event);
        QTRY_VERIFY2(popup->isVisible(), target->objectName().toLatin1());
        QCOMPARE(popup->pos(), target->mapToGlobal(at));
        popup->hide();
    }
}

QTEST_MAIN(TestDocumentWindows)
#include "tst_documentwindows.moc"
