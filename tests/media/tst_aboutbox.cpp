#include "FakeHelp.h"
#include "ProgramFixture.h"
#include "THTMLViewer.h"
#include "TfrmAbout2.h"
#include "VersionInfo.h"
#include "VersionTable.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace fixture;

namespace {

// A page long enough to scroll, with a link at the top to an anchor at the end.
QByteArray longPage(const QString &href)
{
    QString html = QStringLiteral("<p><a href=\"%1\">odnośnik</a></p>").arg(href);
    for (int i = 0; i < 80; ++i)
        html += QStringLiteral("<p>Akapit %1</p>").arg(i);
    html += QStringLiteral("<p><a name=\"koniec\">Koniec</a></p>");
    return html.toUtf8();
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutHelpFolder();
    void versionTable();
    void buildFlags_data();
    void buildFlags();
    void links_data();
    void links();
    void hiddenPage_data();
    void hiddenPage();
    void openedFromTheHelpMenus_data();
    void openedFromTheHelpMenus();
};

void TestAboutBox::withoutHelpFolder()
{
    QTemporaryDir dir;
    TfrmAbout2 about(dir.path());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QTabWidget *pages = about.PageControl1();
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->isTabVisible(i))
            captions.append(pages->tabText(i));
    }
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Informacje"), QStringLiteral("Umowa licencyjna"),
                          QStringLiteral("Podziękowania"), QStringLiteral("Dane o programie")}));
    for (const char *name : {"HTInfo1", "HTInfo2", "HTInfo3"}) {
        auto *view = about.findChild<THTMLViewer *>(QLatin1String(name));
        QVERIFY(view);
        QVERIFY2(view->toPlainText().isEmpty(), name);
    }
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("2.0.0.24"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
             QStringLiteral("Verbarium"));
    QCOMPARE(about.findChild<QTableWidget *>(QStringLiteral("ListView1"))->rowCount(),
             qsizetype(VersionTable::Rows().size()));
    // The version page and OK still work.
    pages->setCurrentIndex(TfrmAbout2::VersionPage);
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void TestAboutBox::versionTable()
{
    QTemporaryDir dir;
    TfrmAbout2 about(dir.path());
    auto *table = about.findChild<QTableWidget *>(QStringLiteral("ListView1"));
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Resource"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
    QList<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows.append({table->item(r, 0)->text(), table->item(r, 1)->text()});
    // No trademarks and no file flags: neither row is there.
    const QList<QStringList> expected{
        {QStringLiteral("Product Name"), QStringLiteral("Verbarium")},
        {QStringLiteral("Product Version"), QStringLiteral("2.0.0.0")},
        {QStringLiteral("Company Name"), QStringLiteral("Quandrel")},
        {QStringLiteral("Legal Copyright"), VersionInfo::LegalCopyright()},
        {QStringLiteral("File Description"), VersionInfo::FileDescription()},
        {QStringLiteral("File Version"), QStringLiteral("2.0.0.24")},
        {QStringLiteral("Internal Name"), QStringLiteral("verbarium")},
        {QStringLiteral("Original Filename"), QStringLiteral("verbarium.exe")},
        {QStringLiteral("Comments"), QStringLiteral("Wersja dystrybucyjna 2.0 (15.03.2000)")},
    };
    QCOMPARE(rows, expected);
    QVERIFY(!VersionInfo::LegalCopyright().isEmpty() && !VersionInfo::FileDescription().isEmpty());
}

void TestAboutBox::buildFlags_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("names");

    QTest::newRow("none") << 0u << QString();
    QTest::newRow("debug") << 0x01u << QStringLiteral("Debug");
    QTest::newRow("pre-release, info inferred")
        << 0x12u << QStringLiteral("Info Inferred, Pre-Release");
    QTest::newRow("all") << 0x3Fu
                         << QStringLiteral(
                                "Debug, Info Inferred, Patched, Pre-Release, Private, Special");
    QTest::newRow("unknown bits") << 0xC0u << QString();
}

void TestAboutBox::buildFlags()
{
    QFETCH(quint32, flags);
    QFETCH(QString, names);
    QCOMPARE(VersionTable::BuildFlags(flags), names);
}

void TestAboutBox::links_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("scrolls");
    QTest::addColumn<QString>("opened"); // relative to the help folder's URL; empty: nothing

    QTest::newRow("anchor, information") << "HTInfo1"
                                         << "readme.htm"
                                         << "#koniec" << true << QString();
    QTest::newRow("anchor, acknowledgements") << "HTInfo3"
                                              << "credits.htm"
                                              << "#koniec" << true << QString();
    QTest::newRow("anchor, licence") << "HTInfo2"
                                     << "licence.htm"
                                     << "#koniec" << false << QStringLiteral("licence.htm#koniec");
    QTest::newRow("web, information")
        << "HTInfo1"
        << "readme.htm"
        << "https://example.org/a" << false << QStringLiteral("https://example.org/a");
    QTest::newRow("mail, licence")
        << "HTInfo2"
        << "licence.htm"
        << "mailto:a@example.org" << false << QStringLiteral("mailto:a@example.org");
    QTest::newRow("file, acknowledgements") << "HTInfo3"
                                            << "credits.htm"
                                            << "lgpl.txt" << false << QStringLiteral("lgpl.txt");
}

void TestAboutBox::links()
{
    QFETCH(QString, view);
    QFETCH(QString, file);
    QFETCH(QString, href);
    QFETCH(bool, scrolls);
    QFETCH(QString, opened);

    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("help")));
    writeFile(dir, longPage(href), QStringLiteral("help/") + file);
    TfrmAbout2 about(dir.path());
    QList<QUrl> handed;
    about.SetUrlOpener([&handed](const QUrl &url) {
        handed.append(url);
        return false; // one the desktop cannot open: ignored
    });
    auto *html = about.findChild<THTMLViewer *>(view);
    about.PageControl1()->setCurrentWidget(html);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(html->verticalScrollBar()->value(), 0);
    QVERIFY(html->verticalScrollBar()->maximum() > 0);

    QTextCursor link = html->document()->find(QStringLiteral("odnośnik"));
    QTextCursor at(html->document());
    at.setPosition(int(link.selectionStart()) + 2);
    QTest::mouseClick(html->viewport(), Qt::LeftButton, {}, html->cursorRect(at).center());

    // The anchor's paragraph comes into view, or the page stays where it was.
    QTextCursor end(html->document());
    end.setPosition(int(html->document()->find(QStringLiteral("Koniec")).selectionStart()));
    if (scrolls)
        QTRY_VERIFY(html->viewport()->rect().contains(html->cursorRect(end).center()));
    else
        QCOMPARE(html->verticalScrollBar()->value(), 0);
    const QUrl helpFolder = QUrl::fromLocalFile(dir.filePath(QStringLiteral("help/")));
    QCOMPARE(handed,
             opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{helpFolder.resolved(QUrl(opened))});
    QVERIFY(about.isVisible());
}

void TestAboutBox::hiddenPage_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("pressOnly"); // the last thing on the icon was a press, not a release
    QTest::addColumn<bool>("hidden");

    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << true;
    QTest::newRow("nothing") << Qt::KeyboardModifiers() << false << false;
    QTest::newRow("shift and control")
        << (Qt::ShiftModifier | Qt::ControlModifier) << false << false;
    QTest::newRow("shift, button still down")
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << false;
}

void TestAboutBox::hiddenPage()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, pressOnly);
    QFETCH(bool, hidden);

    QTemporaryDir dir;
    TfrmAbout2 about(dir.path());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto *icon = about.findChild<QLabel *>(QStringLiteral("Image1"));
    if (pressOnly)
        QTest::mousePress(icon, Qt::LeftButton, modifiers);
    else
        QTest::mouseClick(icon, Qt::LeftButton, modifiers);
    QTest::mouseDClick(icon, Qt::LeftButton, modifiers);
    QTest::mouseRelease(icon, Qt::LeftButton, modifiers);

    QTabWidget *pages = about.PageControl1();
    QCOMPARE(pages->currentIndex(),
             hidden ? int(TfrmAbout2::HiddenPage) : int(TfrmAbout2::InfoPage));
    if (hidden) {
        QVERIFY(!pages->isTabVisible(TfrmAbout2::HiddenPage));
        // A visible tab leads back.
        QTabBar *tabs = pages->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {},
                          tabs->tabRect(TfrmAbout2::LicencePage).center());
        QCOMPARE(pages->currentIndex(), int(TfrmAbout2::LicencePage));
    }
}

void TestAboutBox::openedFromTheHelpMenus_data()
{
    QTest::addColumn<QString>("item"); // the action's text

    QTest::newRow("help menu") << QStringLiteral("&O programie");
    QTest::newRow("help button's popup") << QStringLiteral("O programie");
}

void TestAboutBox::openedFromTheHelpMenus()
{
    QFETCH(QString, item);
    ProgramFixture program;
    QVERIFY(program.openData(container({{"L197\\UnidX", itemIndex({{"U", "_19701", "1"}})}})));
    QStringList opened;
    FakeHelp help;
    TPulpit::Environment environment;
    environment.help = &help;
    environment.soundAvailable = false;
    environment.runDialog = [&opened](QDialog &dialog) {
        opened.append(dialog.objectName());
        return int(QDialog::Accepted);
    };
    TPulpit &pulpit = program.startPulpit(environment);
    QAction *action = nullptr;
    for (QAction *a : pulpit.findChildren<QAction *>()) {
        if (a->text() == item)
            action = a;
    }
    QVERIFY(action);

    action->trigger();
    QCOMPARE(opened, QStringList{QStringLiteral("frmAbout2")});
    // In help mode the item only shows its help.
    pulpit.SetHelpMode(true);
    action->trigger();
    QCOMPARE(opened.size(), 1);
    QVERIFY(!pulpit.HelpMode());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
