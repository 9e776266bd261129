#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "PictureFixture.h"
#include "PrintDialogs.h"
#include "ProgramFixture.h"
#include "THTMLViewer.h"
#include "TM3Player.h"
#include "TPictureDisplay.h"
#include "TPulpit.h"
#include "TestFiles.h"
#include "TfrmIlustra.h"
#include "TfrmWzorDoc.h"
#include "ToolRun.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace fixture;

namespace {

// Stands in for the reader at the print dialog: prints into a PDF file, or cancels.
class FakePrintDialogs : public PrintDialogs
{
public:
    int prints = 0;
    int setups = 0;
    bool accept = true;
    QString file;
    QSizeF pagePoints; // the printable area the printer offered

    bool ExecPrint(QPrinter &printer, QWidget *) override
    {
        ++prints;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        pagePoints = printer.pageRect(QPrinter::Point).size();
        return accept;
    }
    void ExecSetup(QPrinter &, QWidget *) override { ++setups; }
};

QString pdfText(const QString &path)
{
    return QString::fromUtf8(
        runToolProgram(QStringLiteral("pdftotext"),
                       {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")})
            .out);
}

// The bounds of what is not white on the first page, rendered at 72 dots an inch (one pixel a
// point), and the page's size.
std::pair<QRect, QSize> inkOnPage(const QString &path, const QString &stem)
{
    runToolProgram(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                    QStringLiteral("-singlefile"), path, stem});
    const QImage page(stem + QStringLiteral(".png"));
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return {ink, page.size()};
}

constexpr char WorkText[] = "Litwo! Ojczyzno moja! Ty jesteś jak zdrowie.";

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void activeChildDecides_data();
    void activeChildDecides();
    void documentPrintedWhole();
    void pictureFittedToThePage_data();
    void pictureFittedToThePage();
    void printerSetupOnlyShowsItsDialog();
    void helpModeStopsTheCommands_data();
    void helpModeStopsTheCommands();
    void copyDocument_data();
    void copyDocument();
    void copyPicture_data();
    void copyPicture();

private:
    TfrmWzorBazowy *open(const QString &typ, const QString &numer);

    ProgramFixture m_program;
    TPulpit *m_pulpit = nullptr; // the fixture's
    FakeHelp m_help;
    FakePrintDialogs m_dialogs;
    QList<int> m_narrationResults;
};

void TestPrinting::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext and pdftoppm (poppler-utils) read the printed files back");
}

void TestPrinting::init()
{
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    QVERIFY(m_program.openData(container({
        {"L197\\UnidX", itemIndex({{"1", "_19701", "1"},
                                   {"2", "_19711", "1"},
                                   {"3", "_19711", "2"},
                                   {"4", "_19711", "3"}})},
        {"L197\\TypX\\_19701\\1\\Pola",
         cp(QStringLiteral("Tytuł=Pan Tadeusz\nAutor=Adam Mickiewicz"))},
        {"_19701\\1", cp(QStringLiteral("<p>%1</p><p>Ile cię trzeba cenić.</p>")
                             .arg(QString::fromUtf8(WorkText)))},
        {"L197\\TypX\\_19711\\1\\Pola", cp(QStringLiteral("Tytuł=Pejzaż\nNumer=1"))},
        {"_19711\\1\\Opis", cp(QStringLiteral("<p>Szeroki.</p>"))},
        {"_19711\\1\\FULL", picture("JPG", QSize(320, 200), Qt::blue)},
        {"L197\\TypX\\_19711\\2\\Pola", cp(QStringLiteral("Tytuł=Portret\nNumer=2"))},
        {"_19711\\2\\Opis", cp(QStringLiteral("<p>Wysoki.</p>"))},
        {"_19711\\2\\FULL", picture("JPG", QSize(100, 300), Qt::blue)},
        {"L197\\TypX\\_19711\\3\\Pola", cp(QStringLiteral("Tytuł=Bez obrazu\nNumer=3"))},
        {"_19711\\3\\Opis", cp(QStringLiteral("<p>Nic.</p>"))},
        {"_197SND\\guide\\Wprowadz", sampleSound("guide/Wprowadz.mp3")},
    })));
    qputenv("VERBARIUM_AUDIO_OUT", "test:");
    m_dialogs = FakePrintDialogs();
    m_dialogs.file = m_program.dir().filePath(QStringLiteral("wydruk.pdf"));
    m_help = FakeHelp();
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.printDialogs = &m_dialogs;
    environment.soundAvailable = true;
    environment.mp3Library = QStringLiteral(VERBARIUM_MP3_LIBRARY);
    m_pulpit = &m_program.startPulpit(environment);
    m_pulpit->resize(1000, 700);
    m_pulpit->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pulpit));
    m_narrationResults.clear();
    connect(m_pulpit->M3Play(), &TM3Player::OnTerminate, this,
            [this](int result) { m_narrationResults.append(result); });
    QGuiApplication::clipboard()->setText(QStringLiteral("schowek"));
}

void TestPrinting::cleanup()
{
    m_program.stop();
    m_pulpit = nullptr;
    MessageBoxes::setHandler(nullptr);
    qunsetenv("VERBARIUM_AUDIO_OUT");
}

TfrmWzorBazowy *TestPrinting::open(const QString &typ, const QString &numer)
{
    if (typ == u"_19700")
        m_pulpit->btIndeksClick();
    else
        m_pulpit->OpenDocument(typ, numer);
    TfrmWzorBazowy *window = m_pulpit->ActiveChild();
    return window && window->Typ() == typ ? window : nullptr;
}

// Whichever control runs the command, the active child decides; the Index prints and copies
// nothing and leaves the narration playing. A document stops it and asks for the printer,
// even when the reader then cancels.
void TestPrinting::activeChildDecides_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<int>("narrationResult"); // 0 played to its end, 1 stopped

    for (const char *command : {"miDrukuj", "btDrukuj"})
        QTest::addRow("Index, %s", command)
            << QStringLiteral("_19700") << QString::fromLatin1(command) << 0 << 0;
    for (const char *command : {"miKopiuj", "btKopiuj"})
        QTest::addRow("Index, %s", command)
            << QStringLiteral("_19700") << QString::fromLatin1(command) << 0 << 0;
    QTest::newRow("document, cancelled print")
        << QStringLiteral("_19701") << QStringLiteral("btDrukuj") << 1 << 1;
    QTest::newRow("document, popup print")
        << QStringLiteral("_19701") << QStringLiteral("Drukowaniedokumentu1") << 1 << 1;
}

void TestPrinting::activeChildDecides()
{
    QFETCH(QString, typ);
    QFETCH(QString, command);
    QFETCH(int, dialogs);
    QFETCH(int, narrationResult);
    m_dialogs.accept = false;
    TfrmWzorBazowy *window = open(typ, QStringLiteral("1"));
    QVERIFY(window);
    QTRY_VERIFY(!m_pulpit->M3Play()->Running()); // the Index's introduction
    m_pulpit->PlayNarration(QStringLiteral("guide"), QStringLiteral("Wprowadz"));
    QVERIFY(m_pulpit->M3Play()->Running());

    if (auto *document = qobject_cast<TfrmWzorDoc *>(window); document && command.endsWith(u'1'))
        document->PopupMenu1()->findChild<QAction *>(command)->trigger();
    else
        m_pulpit->Action(command)->trigger();

    QCOMPARE(m_dialogs.prints, dialogs);
    QVERIFY(!QFile::exists(m_dialogs.file));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("schowek"));
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
    QCOMPARE(m_narrationResults.last(), narrationResult);
}

void TestPrinting::documentPrintedWhole()
{
    auto *work = qobject_cast<TfrmWzorDoc *>(open(QStringLiteral("_19701"), QStringLiteral("1")));
    QVERIFY(work);
    // A selection does not limit what is printed.
    work->HT1()->SetSelLength(5);
    work->PopupMenu1()->findChild<QAction *>(QStringLiteral("Drukowaniedokumentu1"))->trigger();
    QCOMPARE(m_dialogs.prints, 1);
    const QString text = pdfText(m_dialogs.file);
    QVERIFY2(text.contains(QString::fromUtf8(WorkText)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Ile cię trzeba cenić.")), qPrintable(text));
    // The file's title is the window's caption.
    const QString info =
        QString::fromUtf8(runToolProgram(QStringLiteral("pdfinfo"), {m_dialogs.file}).out);
    QVERIFY2(info.contains(QStringLiteral("Title:")) && info.contains(work->windowTitle()),
             qPrintable(info));
}

// The picture touches two opposite edges of the printable area and is centred between the
// other two; checked on the printed page, rendered one pixel a point.
void TestPrinting::pictureFittedToThePage_data()
{
    QTest::addColumn<QString>("numer");
    QTest::addColumn<bool>("fillsWidth");
    QTest::newRow("landscape fills the width") << QStringLiteral("1") << true;
    QTest::newRow("portrait fills the height") << QStringLiteral("2") << false;
}

void TestPrinting::pictureFittedToThePage()
{
    QFETCH(QString, numer);
    QFETCH(bool, fillsWidth);
    auto *illustration = qobject_cast<TfrmIlustra *>(open(QStringLiteral("_19711"), numer));
    QVERIFY(illustration);
    const QSize picture = illustration->pmDisplay()->Picture().size();
    m_pulpit->Action(QStringLiteral("btDrukuj"))->trigger();
    QCOMPARE(m_dialogs.prints, 1);

    const auto [ink, paper] =
        inkOnPage(m_dialogs.file, m_program.dir().filePath(QStringLiteral("strona")));
    QVERIFY(!ink.isEmpty());
    const QSizeF page = m_dialogs.pagePoints;
    const QSizeF margins =
        (QSizeF(paper) - page) / 2; // the printable area lies centred on the paper
    const qreal tolerance = 2;
    if (fillsWidth) {
        QVERIFY(qAbs(ink.width() - page.width()) <= tolerance);
        QVERIFY(qAbs(ink.height() - page.width() * picture.height() / picture.width()) <=
                tolerance);
    } else {
        QVERIFY(qAbs(ink.height() - page.height()) <= tolerance);
        QVERIFY(qAbs(ink.width() - page.height() * picture.width() / picture.height()) <=
                tolerance);
    }
    // Centred: as much room on either side.
    QVERIFY2(
        qAbs(ink.left() - (paper.width() - ink.right() - 1)) <= tolerance,
        qPrintable(
            QStringLiteral("%1 .. %2 of %3").arg(ink.left()).arg(ink.right()).arg(paper.width())));
    QVERIFY(qAbs(ink.top() - (paper.height() - ink.bottom() - 1)) <= tolerance);
    QVERIFY(ink.left() >= margins.width() - tolerance && ink.top() >= margins.height() - tolerance);

    // Without a picture, the dialog is shown and nothing is printed.
    QFile::remove(m_dialogs.file);
    QVERIFY(open(QStringLiteral("_19711"), QStringLiteral("3")));
    m_pulpit->Action(QStringLiteral("miDrukuj"))->trigger();
    QCOMPARE(m_dialogs.prints, 2);
    QVERIFY(!QFile::exists(m_dialogs.file));
}

void TestPrinting::printerSetupOnlyShowsItsDialog()
{
    QVERIFY(open(QStringLiteral("_19701"), QStringLiteral("1")));
    m_pulpit->SetHelpMode(true); // printer setup does not look at the help mode
    m_pulpit->Action(QStringLiteral("miUstawienia"))->trigger();
    m_pulpit->Action(QStringLiteral("puUstawienia"))->trigger();
    QCOMPARE(m_dialogs.setups, 2);
    QCOMPARE(m_dialogs.prints, 0);
    QVERIFY(m_help.popups.isEmpty());
    QVERIFY(m_pulpit->HelpMode());
}

// In help mode the commands only show their help (a toolbar button its toolbar's topic, a menu
// item none) and end the mode.
void TestPrinting::helpModeStopsTheCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("popups");
    QTest::newRow("print, toolbar") << QStringLiteral("btDrukuj") << QList<int>{4004};
    QTest::newRow("print, menu") << QStringLiteral("miDrukuj") << QList<int>{};
    QTest::newRow("copy, toolbar") << QStringLiteral("btKopiuj") << QList<int>{4004};
    QTest::newRow("copy, menu") << QStringLiteral("miKopiuj") << QList<int>{};
    QTest::newRow("options, toolbar") << QStringLiteral("btOpcje") << QList<int>{4004};
    QTest::newRow("options, menu") << QStringLiteral("miOpcje") << QList<int>{};
}

void TestPrinting::helpModeStopsTheCommands()
{
    QFETCH(QString, command);
    QFETCH(QList<int>, popups);
    m_pulpit->btIndeksClick(); // enables the options button
    auto *work = qobject_cast<TfrmWzorDoc *>(open(QStringLiteral("_19701"), QStringLiteral("1")));
    QVERIFY(work);
    m_pulpit->SetHelpMode(true);
    // A dialog would be a fault; it is closed so the test goes on to say so.
    QWidget *dialog = nullptr;
    QTimer::singleShot(0, this, [&dialog] {
        if ((dialog = QApplication::activeModalWidget()))
            dialog->close();
    });
    m_pulpit->Action(command)->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!dialog);
    QCOMPARE(m_dialogs.prints, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("schowek"));
    QCOMPARE(m_help.popups, popups);
    QVERIFY(!m_pulpit->HelpMode());
}

// Copying takes the selection, or else the whole document and leaves no selection.
void TestPrinting::copyDocument_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected"); // characters from the start of the document
    QTest::newRow("nothing selected, toolbar") << QStringLiteral("btKopiuj") << 0;
    QTest::newRow("nothing selected, popup") << QStringLiteral("Kopiowaniedoschowka1") << 0;
    QTest::newRow("nothing selected, Ctrl+C in the text") << QStringLiteral("Ctrl+C") << 0;
    QTest::newRow("selection, menu") << QStringLiteral("miKopiuj") << 5;
    QTest::newRow("selection, popup") << QStringLiteral("Kopiowaniedoschowka1") << 13;
}

void TestPrinting::copyDocument()
{
    QFETCH(QString, command);
    QFETCH(int, selected);
    auto *work = qobject_cast<TfrmWzorDoc *>(open(QStringLiteral("_19701"), QStringLiteral("1")));
    QVERIFY(work);
    const QString whole = work->HT1()->toPlainText();
    QVERIFY(whole.startsWith(QStringLiteral("Pan Tadeusz")) &&
            whole.contains(QString::fromUtf8(WorkText)));
    work->HT1()->SetSelLength(selected);
    if (command == u"Ctrl+C") {
        m_pulpit->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
        QTest::keyClick(work->HT1()->viewport(), Qt::Key_C, Qt::ControlModifier);
    } else if (command.endsWith(u'1')) {
        work->PopupMenu1()->findChild<QAction *>(command)->trigger();
    } else {
        m_pulpit->Action(command)->trigger();
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), selected ? whole.left(selected) : whole);
    QCOMPARE(work->HT1()->SelLength(), selected);
    QCOMPARE(work->HT1()->textCursor().hasSelection(), selected > 0);
}

void TestPrinting::copyPicture_data()
{
    QTest::addColumn<QString>("numer");
    QTest::addColumn<QSize>("picture"); // empty: the clipboard keeps its text
    QTest::newRow("picture") << QStringLiteral("1") << QSize(320, 200);
    QTest::newRow("no picture") << QStringLiteral("3") << QSize(0, 0);
}

void TestPrinting::copyPicture()
{
    QFETCH(QString, numer);
    QFETCH(QSize, picture);
    QVERIFY(open(QStringLiteral("_19711"), numer));
    m_pulpit->Action(QStringLiteral("btKopiuj"))->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), picture);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             picture.isEmpty() ? QStringLiteral("schowek") : QString());
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
