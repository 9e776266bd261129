#include "ContainerFixture.h"
#include "PictureFixture.h"
#include "Startup.h"
#include "ToolRun.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace fixture;

namespace {

constexpr qreal TwoCentimetres = 2 / 2.54 * 72; // in points

QByteArray tool(const QString &program, const QStringList &args)
{
    return runToolProgram(program, args).out;
}

const QString Verse = QStringLiteral("Zażółć gęślą jaźń, źdźbło łąki ścięte");

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void exports_data();
    void exports();
    void documentKeepsTwoCentimetreMargins();

private:
    int run(const QStringList &args, QByteArray *err = nullptr);

    QTemporaryDir m_dir;
};

void TestPdfExport::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) reads the files back");
    QDir().mkpath(m_dir.filePath(QStringLiteral("DATA")));
    // A long paragraph, so that its lines run from margin to margin.
    QStringList paragraph;
    for (int i = 0; i < 40; ++i)
        paragraph.append(QStringLiteral("słowo%1").arg(i));
    writeFile(m_dir,
              container({
                  {"L197\\UnidX",
                   itemIndex({{"1", "_19701", "1"}, {"2", "_19711", "1"}, {"3", "_19711", "2"}})},
                  {"L197\\TypX\\_19701\\1\\Pola",
                   cp(QStringLiteral("Tytuł=Próba\nAutor=Jan Kochanowski"))},
                  {"_19701\\1",
                   cp(QStringLiteral("<p>%1</p><p>%2</p>").arg(Verse, paragraph.join(u' ')))},
                  {"L197\\TypX\\_19711\\1\\Pola", cp(QStringLiteral("Tytuł=Łąka\nNumer=1"))},
                  {"_19711\\1\\Opis", cp(QStringLiteral("<p>Łąka.</p>"))},
                  {"_19711\\1\\FULL", picture("JPG", QSize(300, 200), Qt::darkGreen)},
                  {"L197\\TypX\\_19711\\2\\Pola", cp(QStringLiteral("Tytuł=Pusta\nNumer=2"))},
                  {"_19711\\2\\Opis", cp(QStringLiteral("<p>Bez obrazu.</p>"))},
              }),
              QStringLiteral("DATA/Verbarium.dat"));
}

int TestPdfExport::run(const QStringList &args, QByteArray *err)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VERBARIUM_AUDIO_OUT"), QStringLiteral("test:"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VERBARIUM_PROGRAM),
                  args + QStringList{m_dir.filePath(QStringLiteral("DATA"))});
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return -1;
    if (err)
        *err = program.readAllStandardError();
    return program.exitCode();
}

void TestPdfExport::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("printed"); // typ, numer, file
    QTest::addColumn<QString>("folder");
    const QString pdf = QStringLiteral("--print-pdf");
    QTest::newRow("entry and file")
        << QStringList{pdf, QStringLiteral("_19701"), QStringLiteral("3"), QStringLiteral("a.pdf")}
        << true
        << QStringList{QStringLiteral("_19701"), QStringLiteral("3"), QStringLiteral("a.pdf")}
        << QString();
    QTest::newRow("and a folder") << QStringList{pdf, QStringLiteral("_19711"), QStringLiteral("3"),
                                                 QStringLiteral("a.pdf"), QStringLiteral("d")}
                                  << true
                                  << QStringList{QStringLiteral("_19711"), QStringLiteral("3"),
                                                 QStringLiteral("a.pdf")}
                                  << QStringLiteral("d");
    QTest::newRow("no file") << QStringList{pdf, QStringLiteral("_19701"), QStringLiteral("3")}
                             << false << QStringList{} << QString();
    QTest::newRow("with --open") << QStringList{pdf,
                                                QStringLiteral("_19701"),
                                                QStringLiteral("3"),
                                                QStringLiteral("a.pdf"),
                                                QStringLiteral("--open"),
                                                QStringLiteral("_19701")}
                                 << false << QStringList{} << QString();
}

void TestPdfExport::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(bool, valid);
    QFETCH(QStringList, printed);
    QFETCH(QString, folder);
    QString error;
    const auto options =
        StartupOptions::parse(QStringList{QStringLiteral("verbarium")} + args, &error);
    QCOMPARE(bool(options), valid);
    if (!options) {
        QVERIFY(error.contains(QStringLiteral("--print-pdf TYP NUMER PLIK.pdf")));
        return;
    }
    QCOMPARE((QStringList{options->printTyp, options->printNumer, options->printFile}), printed);
    QCOMPARE(options->dataFolder, folder);
}

// The exit status, and what the file holds: the document's text, or one page with the picture.
void TestPdfExport::exports_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("numer");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");  // in the file; null: no file
    QTest::addColumn<QString>("title"); // the file's title: the window's caption

    QTest::newRow("document") << QStringLiteral("_19701") << QStringLiteral("1") << 0 << Verse
                              << QStringLiteral("Dzieło: Próba - Jan Kochanowski");
    QTest::newRow("illustration") << QStringLiteral("_19711") << QStringLiteral("1") << 0
                                  << QStringLiteral("") << QStringLiteral("Ilustracja: Łąka");
    QTest::newRow("illustration without a picture")
        << QStringLiteral("_19711") << QStringLiteral("2") << 1 << QString() << QString();
    QTest::newRow("no such entry")
        << QStringLiteral("_19701") << QStringLiteral("9") << 1 << QString() << QString();
    QTest::newRow("the Index") << QStringLiteral("_19700") << QStringLiteral("197") << 1
                               << QString() << QString();
    QTest::newRow("category without a window")
        << QStringLiteral("_19708") << QStringLiteral("1") << 1 << QString() << QString();
}

void TestPdfExport::exports()
{
    QFETCH(QString, typ);
    QFETCH(QString, numer);
    QFETCH(int, status);
    QFETCH(QString, text);
    QFETCH(QString, title);
    const QString file = m_dir.filePath(QStringLiteral("%1-%2.pdf").arg(typ, numer));
    QByteArray err;
    QCOMPARE(run({QStringLiteral("--print-pdf"), typ, numer, file}, &err), status);
    // A failure says which entry it was about.
    QCOMPARE(err.contains(QStringLiteral("%1 %2:").arg(typ, numer).toUtf8()), status != 0);
    QCOMPARE(QFile::exists(file), !text.isNull());
    if (text.isNull())
        return;
    const QString printed =
        QString::fromUtf8(tool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}));
    QVERIFY2(printed.contains(text), qPrintable(printed));
    const QString info = QString::fromUtf8(tool(QStringLiteral("pdfinfo"), {file}));
    const QRegularExpression titleLine(
        QStringLiteral("^Title:\\s+%1$").arg(QRegularExpression::escape(title)),
        QRegularExpression::MultilineOption);
    QVERIFY2(info.contains(titleLine), qPrintable(info));
    if (text.isEmpty()) {
        // One page, and on it the picture at its own size.
        const QString images =
            QString::fromUtf8(tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}));
        static const QRegularExpression row(QStringLiteral(R"(^\s*1\s+\d+\s+image\s+300\s+200\s)"),
                                            QRegularExpression::MultilineOption);
        QVERIFY2(images.contains(row), qPrintable(images));
    }
}

void TestPdfExport::documentKeepsTwoCentimetreMargins()
{
    const QString file = m_dir.filePath(QStringLiteral("marginesy.pdf"));
    QCOMPARE(
        run({QStringLiteral("--print-pdf"), QStringLiteral("_19701"), QStringLiteral("1"), file}),
        0);
    const QString html = m_dir.filePath(QStringLiteral("marginesy.html"));
    tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, html});
    QFile boxes(html);
    QVERIFY(boxes.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(boxes.readAll());
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"))
            .match(content);
    QVERIFY(page.hasMatch());
    const qreal width = page.captured(1).toDouble();
    qreal left = width, top = 1e9, right = 0;
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re"));
    for (auto it = word.globalMatch(content); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        left = qMin(left, m.captured(1).toDouble());
        top = qMin(top, m.captured(2).toDouble());
        right = qMax(right, m.captured(3).toDouble());
    }
    // The text starts at the margins (a glyph's box may start a little inside its advance)
    // and its long lines end just short of the right one.
    QVERIFY2(left >= TwoCentimetres - 0.5 && left < TwoCentimetres + 3,
             qPrintable(QString::number(left)));
    QVERIFY2(top >= TwoCentimetres - 0.5 && top < TwoCentimetres + 6,
             qPrintable(QString::number(top)));
    QVERIFY2(right <= width - TwoCentimetres + 0.5 && right > width - TwoCentimetres - 60,
             qPrintable(QString::number(width - right)));
}

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
