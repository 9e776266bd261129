#include "Application.h"
#include "ContainerFixture.h"
#include "ContentError.h"
#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TSimplePSS.h"
#include "TfrmSearcher.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace fixture;

// The application object runs under every test here, as it runs under the program.
class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void errorInAHandlerIsShown_data();
    void errorInAHandlerIsShown();
    void unreadableContainerAtAListTab();
    void qtDialogsSpeakPolish();

private:
    QList<MessageBoxes::Message> m_messages;
};

void TestApplication::init()
{
    recordMessages(m_messages);
}

void TestApplication::cleanup()
{
    MessageBoxes::setHandler(nullptr);
}

void TestApplication::errorInAHandlerIsShown_data()
{
    QTest::addColumn<bool>("contentError");
    QTest::addColumn<QString>("text");
    QTest::newRow("container") << true
                               << QStringLiteral("Błąd odczytu pliku \"/cd/DATA/Verbarium.dat\"");
    QTest::newRow("other") << false << QStringLiteral("Nie można utworzyć pliku \"/tmp/ąę.MP3\"");
}

void TestApplication::errorInAHandlerIsShown()
{
    QFETCH(bool, contentError);
    QFETCH(QString, text);
    QEventLoop loop;
    bool after = false;
    QTimer::singleShot(0, this, [&] {
        if (contentError)
            throw ContentError(text);
        throw std::runtime_error(text.toStdString());
    });
    // The loop goes on after the error, and ends normally.
    QTimer::singleShot(20, this, [&] {
        after = true;
        loop.quit();
    });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(after);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, text);
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    QCOMPARE(m_messages[0].caption, QApplication::applicationDisplayName());
}

// A disc that becomes unreadable once the program runs: the first list tab clicked reports
// it, and the program is left as it was before the load.
void TestApplication::unreadableContainerAtAListTab()
{
    ProgramFixture program;
    QVERIFY(
        program.openData(container({{"L197\\UnidX", itemIndex({{"U1", "_19701", "1"}})},
                                    {"L197\\TypX\\_19701\\1\\Pola",
                                     cp(QStringLiteral("Tytuł=Lalka\nAutor=Bolesław Prus"))}})));
    FakeHelp help;
    TPulpit::Environment environment;
    environment.help = &help;
    environment.soundAvailable = false;
    TPulpit &pulpit = program.startPulpit(environment);
    pulpit.resize(1000, 700);
    pulpit.show();
    pulpit.btIndeksClick();
    QVERIFY(QTest::qWaitForWindowExposed(&pulpit));

    TSimplePSS &file = Directory()->container();
    QVERIFY(QFile::resize(file.fileName(), file.entryAt(1).offset));
    auto *tabs = pulpit.findChild<QTabBar *>();
    QVERIFY(tabs);
    int works = -1;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == u"Dzieła")
            works = i;
    }
    QVERIFY(works >= 0);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(works).center());

    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].text.startsWith(QStringLiteral("Błąd odczytu pliku")),
             qPrintable(m_messages[0].text));
    QVERIFY(pulpit.isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(program.searcher().isHidden());
    QVERIFY(!pulpit.Opening());
}

// Qt's standard dialogs and buttons, which the program does not name itself.
void TestApplication::qtDialogsSpeakPolish()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Tak"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nie"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Anuluj"));

    QPrinter printer;
    QPrintDialog dialog(&printer);
    QStringList texts;
    for (const QPushButton *button : dialog.findChildren<QPushButton *>())
        texts.append(button->text().remove(u'&'));
    QVERIFY2(texts.contains(QStringLiteral("Anuluj")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("Wydrukuj")), qPrintable(texts.join(u'|')));
    QVERIFY2(!texts.contains(QStringLiteral("Cancel")), qPrintable(texts.join(u'|')));
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestApplication test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
