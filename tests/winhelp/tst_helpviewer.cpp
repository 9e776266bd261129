#include "MessageRecorder.h"
#include "SampleHelp.h"

#include "HelpPopup.h"
#include "HelpSystem.h"
#include "HelpWindow.h"
#include "MessageBoxes.h"
#include "Paths.h"
#include "ProgramFixture.h"
#include "TPulpit.h"
#include "WinHelpFile.h"

#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

class TestHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void popupShowsTheTopicOfAContextNumber();
    void unmappedNumberShowsAMessage();
    void topicOpensInTheHelpWindow();
    void unreadableFilesAreReported_data();
    void unreadableFilesAreReported();
    void helpModeShowsThePopupOfTheClickedPart();
    void contentsWindowFromTheContentsFile();
    void contentsWindowFromTheContentsTopic();

private:
    QString writeHelp(const QByteArray &bytes, const QByteArray &cnt = QByteArray());

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageBoxes::Message> m_messages;
};

void TestHelpViewer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    recordMessages(m_messages);
}

void TestHelpViewer::cleanup()
{
    MessageBoxes::setHandler(nullptr);
}

QString TestHelpViewer::writeHelp(const QByteArray &bytes, const QByteArray &cnt)
{
    const QString path = m_dir->filePath(QStringLiteral("VERB97.HLP"));
    fixture::writeFile(*m_dir, bytes, QStringLiteral("VERB97.HLP"));
    if (!cnt.isEmpty())
        fixture::writeFile(*m_dir, cnt, QStringLiteral("verb97.cnt"));
    return path;
}

void TestHelpViewer::popupShowsTheTopicOfAContextNumber()
{
    HelpFile help(nullptr, writeHelp(sample::smallHelp()));
    help.showPopup(4030);
    QVERIFY(help.popup());
    QVERIFY(help.popup()->isVisible());
    QVERIFY(help.popup()->text().startsWith(
        QStringLiteral("Verbarium, encyklopedia literatury polskiej.")));
    QVERIFY(help.popup()->text().contains(QStringLiteral("1620–1764")));
    // It sits beside the pointer and goes on a key.
    const QPoint offset = help.popup()->pos() - QCursor::pos();
    QVERIFY2(offset.x() >= 12 && offset.x() < 32 && offset.y() >= 12 && offset.y() < 32,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QTest::keyClick(help.popup()->findChild<QTextBrowser *>(), Qt::Key_Escape);
    QTRY_VERIFY(!help.popup());

    help.showPopup(4001);
    QVERIFY(help.popup()->text().contains(QStringLiteral("Zażółć gęślą jaźń")));
    QTest::mouseClick(help.popup()->findChild<QTextBrowser *>()->viewport(), Qt::LeftButton);
    QTRY_VERIFY(!help.popup());
    QVERIFY(m_messages.isEmpty());
}

void TestHelpViewer::unmappedNumberShowsAMessage()
{
    HelpFile help(nullptr, writeHelp(sample::smallHelp()));
    help.showPopup(4999);
    QCOMPARE(help.popup()->text(), QStringLiteral("Brak tematu pomocy dla tego elementu."));
    QVERIFY(m_messages.isEmpty());
}

void TestHelpViewer::topicOpensInTheHelpWindow()
{
    HelpFile help(nullptr, writeHelp(sample::smallHelp()));
    help.showTopic(4030);
    HelpWindow *window = help.window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(!help.popup());
    QVERIFY(window->topicText().startsWith(
        QStringLiteral("Verbarium, encyklopedia literatury polskiej.")));
    // One window for every topic; a number without one leaves it as it is.
    help.showTopic(4001);
    QCOMPARE(help.window(), window);
    QVERIFY(window->topicText().contains(QStringLiteral("Zażółć gęślą jaźń")));
    help.showTopic(4999);
    QCOMPARE(help.window(), window);
    QVERIFY(window->topicText().contains(QStringLiteral("Zażółć gęślą jaźń")));
    QVERIFY(m_messages.isEmpty());
}

void TestHelpViewer::unreadableFilesAreReported_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << false << QStringLiteral("Nie można odnaleźć pliku pomocy „%1”.");
    QTest::newRow("damaged") << true << QStringLiteral("Nie można otworzyć pliku pomocy „%1”.");
}

void TestHelpViewer::unreadableFilesAreReported()
{
    QFETCH(bool, exists);
    QFETCH(QString, text);
    const QString path = exists ? writeHelp(sample::smallHelp().left(200))
                                : m_dir->filePath(QStringLiteral("VERB97.HLP"));
    HelpFile help(nullptr, path);
    help.showPopup(4001);
    help.showContents();
    QVERIFY(!help.popup());
    QVERIFY(!help.window());
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages[0].text, text.arg(QDir::toNativeSeparators(path)));
    QCOMPARE(m_messages[0].caption, QStringLiteral("Pomoc"));
}

void TestHelpViewer::helpModeShowsThePopupOfTheClickedPart()
{
    useSkin(*m_dir);
    QSettings settings(m_dir->filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    SettingsStore store(settings);
    HelpFile help(nullptr, writeHelp(sample::smallHelp()));
    TPulpit::Environment environment;
    environment.settings = &store;
    environment.help = &help;
    environment.screenDepth = 32;
    environment.soundAvailable = false;
    {
        TPulpit pulpit(environment);
        pulpit.resize(900, 600);
        pulpit.show();
        pulpit.SetHelpMode(true);
        QTest::mouseClick(pulpit.statusBar(), Qt::LeftButton);
        QVERIFY(help.popup());
        QVERIFY(help.popup()->text().startsWith(
            QStringLiteral("Verbarium, encyklopedia"))); // topic of 4007
        QVERIFY(!pulpit.HelpMode());
        // Shift+F1 opens the contents.
        pulpit.activateWindow();
        pulpit.Action(QStringLiteral("miSpisTresci"))->trigger();
        QVERIFY(help.window());
        QVERIFY(help.window()->isVisible());
    }
    Paths::setBmpsFolder(QString());
}

void TestHelpViewer::contentsWindowFromTheContentsFile()
{
    const QString cnt =
        QStringLiteral(":Base VERB97.HLP\r\n:Title Pomoc\r\n1 Rozdział\r\n2 Drugi temat=druga\r\n"
                       "2 Okienko=okienko>main\r\n1 Spis=spis@VERB97.HLP\r\n");
    QStringEncoder encoder("windows-1250");
    HelpFile help(nullptr, writeHelp(sample::smallHelp(), QByteArray(encoder.encode(cnt))));
    help.showContents();
    HelpWindow *window = help.window();
    QVERIFY(window);
    QVERIFY(window->topicText().startsWith(QStringLiteral("Zażółć gęślą jaźń")));

    auto *tree = window->findChild<QTreeWidget *>(QStringLiteral("helpContents"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Rozdział"));
    QCOMPARE(tree->topLevelItem(0)->childCount(), 2);
    QTreeWidgetItem *okienko = tree->topLevelItem(0)->child(1);
    QCOMPARE(okienko->text(0), QStringLiteral("Okienko"));
    Q_EMIT tree->itemActivated(okienko, 0);
    QCOMPARE(window->topicText(), QStringLiteral("Treść okienka."));

    // The index lists every title in Polish order and finds as one types.
    auto *index = window->findChild<QListWidget *>(QStringLiteral("helpIndex"));
    QStringList titles;
    for (int i = 0; i < index->count(); ++i)
        titles.append(index->item(i)->text());
    QCOMPARE(titles, (QStringList{QStringLiteral("Drugi temat"), QStringLiteral("Okienko"),
                                  QStringLiteral("Spis treści")}));
    auto *find = window->findChild<QLineEdit *>(QStringLiteral("helpFind"));
    QTest::keyClicks(find, QStringLiteral("dr"));
    QCOMPARE(index->currentItem()->text(), QStringLiteral("Drugi temat"));
    QTest::keyClick(find, Qt::Key_Return);
    QVERIFY(window->topicText().startsWith(QStringLiteral("Verbarium, encyklopedia")));

    // Back and forward walk the topics shown.
    window->back();
    QCOMPARE(window->topicText(), QStringLiteral("Treść okienka."));
    window->back();
    QVERIFY(window->topicText().startsWith(QStringLiteral("Zażółć")));
    window->forward();
    QCOMPARE(window->topicText(), QStringLiteral("Treść okienka."));
}

void TestHelpViewer::contentsWindowFromTheContentsTopic()
{
    HelpFile help(nullptr, writeHelp(sample::smallHelp()));
    help.showContents();
    HelpWindow *window = help.window();
    auto *tree = window->findChild<QTreeWidget *>(QStringLiteral("helpContents"));
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("drugiego tematu"));

    // A jump in the topic view leads to its topic; a pop-up opens beside the pointer.
    auto *view = window->findChild<QTextBrowser *>(QStringLiteral("helpTopic"));
    const WinHelpFile file(sample::smallHelp());
    Q_EMIT view->anchorClicked(QUrl(QStringLiteral("jump:%1").arg(file.topics()[1].offset)));
    QVERIFY(window->topicText().startsWith(QStringLiteral("Verbarium")));
    window->back();
    Q_EMIT view->anchorClicked(QUrl(QStringLiteral("popup:%1").arg(file.topics()[2].offset)));
    auto *popup = window->findChild<HelpPopup *>();
    QVERIFY(popup);
    QCOMPARE(popup->text(), QStringLiteral("Treść okienka."));
    QVERIFY(window->topicText().startsWith(QStringLiteral("Zażółć")));
    // The rendered links carry the targets.
    QVERIFY(view->document()->toHtml().contains(
        QStringLiteral("jump:%1").arg(file.topics()[1].offset)));
    QVERIFY(view->document()->toHtml().contains(
        QStringLiteral("popup:%1").arg(file.topics()[2].offset)));
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
