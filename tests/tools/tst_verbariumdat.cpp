#include "ContainerFixture.h"
#include "SearchIndexBuilder.h"
#include "ToolRun.h"
#include "VersionInfo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QHash>
#include <QScopeGuard>
#include <QTest>

using namespace fixture;

namespace {

using Result = ToolResult;

Result runTool(const QStringList &args)
{
    return runToolProgram(QStringLiteral(VERBARIUM_DAT), args);
}

void writeText(const QString &path, const QByteArray &utf8)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(utf8);
}

} // namespace

class TestVerbariumDat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void readsAForeignContainerExactly();
    void packsASourceTree();
    void render_data();
    void render();
    void renderQuestionWithoutText();
    void filmography();
    void calendar_data();
    void calendar();
    void search_data();
    void search();
    void searchPassesOverADamagedCache_data();
    void searchPassesOverADamagedCache();
    void exitStatus_data();
    void exitStatus();
    void badSourceTrees_data();
    void badSourceTrees();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_foreign;
};

void TestVerbariumDat::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // Laid out by hand, as another writer would: names out of order, an empty entry, a
    // Polish name, binary data, and an item index with a lower-case number.
    const QByteArray index = Bytes()
                                 .i32(2)
                                 .field("0123456789ABCDEF0123456789ABCDEF", 32)
                                 .field("_19701", 10)
                                 .field("3a", 10)
                                 .field("u2", 32)
                                 .field("_19702", 10)
                                 .field("1", 10);
    const QByteArray fields = cp(QStringLiteral("Tytuł=Pan Tadeusz\r\nAutor=Adam Mickiewicz\r\n"));
    const QByteArray data = index + fields + QByteArray("\0\x01\xff", 3);
    m_foreign = writeFile(*m_dir,
                          Bytes()
                              .i32(4 + data.size())
                              .raw(data)
                              .i32(4)
                              .i32(10)
                              .raw("L197\\UnidX")
                              .i32(4)
                              .i32(24)
                              .raw("L197\\TypX\\_19701\\3A\\Pola")
                              .i32(4 + index.size())
                              .i32(0)
                              .i32(4 + index.size() + fields.size())
                              .i32(10)
                              .raw(cp(QStringLiteral("Źródło\\Bin")))
                              .i32(4 + index.size() + fields.size()),
                          QStringLiteral("foreign.dat"));
}

void TestVerbariumDat::readsAForeignContainerExactly()
{
    Result r = runTool({QStringLiteral("list"), m_foreign});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("L197\\UnidX\t4\t114\n"
                                                      "L197\\TypX\\_19701\\3A\\Pola\t118\t42\n"
                                                      "\t160\t0\n"
                                                      "Źródło\\Bin\t160\t3\n"));

    r = runTool({QStringLiteral("cat"), m_foreign, QStringLiteral("źRÓDŁO\\bin")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("\0\x01\xff", 3));

    r = runTool({QStringLiteral("items"), m_foreign});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("0123456789ABCDEF0123456789ABCDEF\t_19701\t3A\nU2\t_19702\t1\n"));

    r = runTool(
        {QStringLiteral("fields"), m_foreign, QStringLiteral("_19701"), QStringLiteral("3a")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out),
             QStringLiteral("Tytuł=Pan Tadeusz\nAutor=Adam Mickiewicz\n"));

    r = runTool({QStringLiteral("verify"), m_foreign});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("ok: 4 entries, 2 items\n"));
}

void TestVerbariumDat::packsASourceTree()
{
    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/index.tsv"),
              "# typ\tnumer\tunid\n\n_19701\t1\tAAAABBBBCCCCDDDDAAAABBBBCCCCDDDD\n_19702\t2\n");
    writeText(src + QStringLiteral("/items/_19701/1/pola.txt"),
              "Tytuł=Dziady\nAutor=Adam Mickiewicz\n");
    writeText(src + QStringLiteral("/items/_19701/1/tekst.htm"),
              "\xEF\xBB\xBF<p>Ciemno wszędzie, głucho wszędzie</p>\n");
    writeText(src + QStringLiteral("/items/_19701/1/opis.htm"), "<p>Dramat</p>");
    writeText(src + QStringLiteral("/items/_19701/1/thumb.bmp"), "BM\xc5\x81");
    writeText(src + QStringLiteral("/items/_19701/1/full.jpg"), "\xff\xd8\xff");
    writeText(src + QStringLiteral("/sounds/Glosy/Mickiewicz.mp3"), "ID3\x01");
    writeText(src + QStringLiteral("/raw/Inne/Łąka"), "raw\xc5\x81");
    const QString file = m_dir->filePath(QStringLiteral("out.dat"));

    Result r = runTool({QStringLiteral("pack"), src, file});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());

    r = runTool({QStringLiteral("list"), file});
    QStringList names;
    for (const QString &line : QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts))
        names.append(line.section(u'\t', 0, 0));
    QCOMPARE(names, (QStringList{QStringLiteral("L197\\UnidX"), QStringLiteral("_19701\\1\\FULL"),
                                 QStringLiteral("_19701\\1\\Opis"),
                                 QStringLiteral("L197\\TypX\\_19701\\1\\Pola"),
                                 QStringLiteral("_19701\\1"), QStringLiteral("_19701\\1\\THUMB"),
                                 QStringLiteral("_197SND\\Glosy\\Mickiewicz"),
                                 QStringLiteral("Inne\\Łąka")}));

    r = runTool({QStringLiteral("items"), file});
    // A line without an identifier gets the MD5 of its upper-cased key.
    QCOMPARE(r.out,
             "AAAABBBBCCCCDDDDAAAABBBBCCCCDDDD\t_19701\t1\n" +
                 QCryptographicHash::hash("_19702\\2", QCryptographicHash::Md5).toHex().toUpper() +
                 "\t_19702\t2\n");

    // Texts become Windows-1250; binary files stay as they are.
    r = runTool({QStringLiteral("cat"), file, QStringLiteral("_19701\\1")});
    QCOMPARE(r.out, cp(QStringLiteral("<p>Ciemno wszędzie, głucho wszędzie</p>\n")));
    r = runTool({QStringLiteral("cat"), file, QStringLiteral("_19701\\1\\thumb")});
    QCOMPARE(r.out, QByteArray("BM\xc5\x81"));
    r = runTool({QStringLiteral("cat"), file, QStringLiteral("inne\\łąka")});
    QCOMPARE(r.out, QByteArray("raw\xc5\x81"));
    r = runTool({QStringLiteral("text"), file, QStringLiteral("_19701"), QStringLiteral("1")});
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("<p>Ciemno wszędzie, głucho wszędzie</p>\n"));
    r = runTool({QStringLiteral("verify"), file});
    QCOMPARE(r.out, QByteArray("ok: 8 entries, 2 items\n"));
}

void TestVerbariumDat::render_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");

    QTest::newRow("works") << QStringLiteral("_19701") << 0
                           << QStringLiteral(
                                  "<h1>Lalka</h1><b>• Bolesław Prus •<br>\n"
                                  " • 1890 •</b><hr><br>\n"
                                  "<P>Wokulski wrócił\n"
                                  "do Warszawy.\n"
                                  "<br><br><font size=-1><p align=right><I>Redakcja</I></font>\n");
    QTest::newRow("illustration: title and description")
        << QStringLiteral("_19711") << 0
        << QStringLiteral("Krakowskie Przedmieście\n<P>Ulica nocą\n");
    QTest::newRow("no document window") << QStringLiteral("_19708") << 1 << QString();
    QTest::newRow("quiz question: its page as the first question")
        << QStringLiteral("_19710") << 0
        << QStringLiteral(
               "<body><br><table border align=center width=75%>\n"
               "<tr><td bgcolor=\"#d0d0d0\">\n"
               "<table align=center>\n"
               "<tr><th align=right><h3>Pytanie numer 1</h3></th></td>\n"
               "<tr><td><hr></td>\n"
               "<tr><td align=center><h3>\n"
               "Kto napisał „Lalkę”?\n"
               "</h3></td>\n"
               "<tr><td><hr><br></td>\n"
               "<tr><td align=left><b>Odpowiedzi:</b></td>\n"
               "<tr><td align=left><ol><li><input type=checkbox Name=Odp1 value=1> Bolesław "
               "Prus<br>\n"
               "<li><input type=checkbox Name=Odp2 value=2> Eliza Orzeszkowa<br>\n"
               "<li><input type=checkbox Name=Odp3 value=3> Henryk Sienkiewicz</ol></td>\n"
               "<tr><td><hr></td>\n"
               "<tr><td align= center><h3><INPUT TYPE=SUBMIT name=\"Odpowiedz\" "
               "value=\"&Sprawdź\"></h3></td>\n"
               "</table>\n"
               "</table><br><br></body>\n");
}

void TestVerbariumDat::render()
{
    QFETCH(QString, typ);
    QFETCH(int, exitCode);
    QFETCH(QString, out);

    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/index.tsv"), "_19701\t1\n_19711\t1\n_19708\t1\n_19710\t1\n");
    writeText(src + QStringLiteral("/items/_19701/1/pola.txt"),
              "Tytuł=Lalka\nAutor=Bolesław Prus\nI_wyd_data=1890\nAutor_tekstu=Redakcja\n");
    writeText(src + QStringLiteral("/items/_19701/1/tekst.htm"),
              "<P>Wokulski wrócił\r\ndo Warszawy.\r\n");
    writeText(src + QStringLiteral("/items/_19711/1/pola.txt"),
              "Tytuł=Krakowskie Przedmieście\nNumer=1\n");
    writeText(src + QStringLiteral("/items/_19711/1/opis.htm"), "<P>Ulica nocą");
    writeText(src + QStringLiteral("/items/_19711/1/tekst.htm"), "<P>not the description");
    writeText(src + QStringLiteral("/items/_19708/1/pola.txt"), "Data=1890\n");
    writeText(src + QStringLiteral("/items/_19708/1/tekst.htm"), "<P>Wydarzenie");
    writeText(src + QStringLiteral("/items/_19710/1/pola.txt"),
              "Trudność=Łatwe\nKategoria=6\n1=Bolesław Prus\n2=Eliza Orzeszkowa\n3=Henryk "
              "Sienkiewicz\nPoprawna=1\n");
    writeText(src + QStringLiteral("/items/_19710/1/tekst.htm"), "Kto napisał „Lalkę”?\n");
    const QString file = m_dir->filePath(QStringLiteral("out.dat"));
    QCOMPARE(runTool({QStringLiteral("pack"), src, file}).exitCode, 0);

    const Result r = runTool({QStringLiteral("render"), file, typ, QStringLiteral("1")});
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(r.out), out);
    QVERIFY(r.err.isEmpty());
}

void TestVerbariumDat::renderQuestionWithoutText()
{
    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/index.tsv"), "_19710\t1\n");
    writeText(src + QStringLiteral("/items/_19710/1/pola.txt"), "Trudność=Łatwe\nPoprawna=1\n");
    const QString file = m_dir->filePath(QStringLiteral("out.dat"));
    QCOMPARE(runTool({QStringLiteral("pack"), src, file}).exitCode, 0);

    const Result r =
        runTool({QStringLiteral("render"), file, QStringLiteral("_19710"), QStringLiteral("1")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.isEmpty());
}

void TestVerbariumDat::filmography()
{
    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/index.tsv"), "_19709\t1\n_19709\t2\n");
    writeText(src + QStringLiteral("/items/_19709/1/pola.txt"),
              "Tytuł=Wesele\nReżyser_imię=Andrzej\nReżyser_nazwisko=Wajda\nData=1972\n");
    writeText(src + QStringLiteral("/items/_19709/2/pola.txt"),
              "Tytuł=Potop\nReżyser_imię=Jerzy\nReżyser_nazwisko=Hoffman\nData=1974\n");
    const QString file = m_dir->filePath(QStringLiteral("out.dat"));
    QCOMPARE(runTool({QStringLiteral("pack"), src, file}).exitCode, 0);

    const Result r = runTool({QStringLiteral("filmography"), file});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(QString::fromUtf8(r.out),
             QStringLiteral(
                 "<table align=center border CellPadding=4 CellSpacing=1 width=100%>\n"
                 "<tr><th>Tytuł filmu</th><th>Reżyser</th><th>Scenarzysta</th><th>Premiera</th>"
                 "<th>Na podstawie</th></tr>\n"
                 "<tr><td bgcolor=\"#FFFF80\" valign=top><b>Potop</b>&nbsp;</td> "
                 "<td bgcolor=\"#FFFFFF\" valign=top>Jerzy Hoffman&nbsp;</td>"
                 "<td bgcolor=\"#FFFF80\" valign=top> &nbsp;</td>"
                 "<td bgcolor=\"#FFFFFF\" valign=top>1974&nbsp;</td>"
                 "<td bgcolor=\"#FFFF80\" valign=top>&nbsp;</td></tr>\n"
                 "<tr><td bgcolor=\"#FFFF80\" valign=top><b>Wesele</b>&nbsp;</td> "
                 "<td bgcolor=\"#FFFFFF\" valign=top>Andrzej Wajda&nbsp;</td>"
                 "<td bgcolor=\"#FFFF80\" valign=top> &nbsp;</td>"
                 "<td bgcolor=\"#FFFFFF\" valign=top>1972&nbsp;</td>"
                 "<td bgcolor=\"#FFFF80\" valign=top>&nbsp;</td></tr>\n"
                 "</table border>\n"));
}

void TestVerbariumDat::calendar_data()
{
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QString>("numbers");

    // Load order 1 2 3 4 (5 cannot be read and is left out); by year 2 1 4 3, then by category
    // or type within that order, as the exchange sort leaves equal years (worked by hand).
    QTest::newRow("default") << QStringList() << QStringLiteral("2 1 4 3");
    QTest::newRow("chronologicznie")
        << QStringList{QStringLiteral("chronologicznie")} << QStringLiteral("2 1 4 3");
    QTest::newRow("kategoriami") << QStringList{QStringLiteral("kategoriami")}
                                 << QStringLiteral("3 2 1 4");
    QTest::newRow("typem: equal type and year not in load order")
        << QStringList{QStringLiteral("typem")} << QStringLiteral("4 1 3 2");
}

void TestVerbariumDat::calendar()
{
    QFETCH(QStringList, order);
    QFETCH(QString, numbers);

    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/index.tsv"),
              "_19708\t1\n_19708\t2\n_19701\t1\n_19708\t3\n_19708\t4\n_19708\t5\n");
    writeText(src + QStringLiteral("/items/_19708/1/pola.txt"),
              "Rok=1834\nKategoria=6\nTyp_wydarzenia=1\nWydarzenie bis=\xe2\x80\x9ePan "
              "Tadeusz\xe2\x80\x9d\n"
              "Autor=Adam Mickiewicz\nDodatkowe_informacje=Pary\xc5\xbc\n_19701=1\n");
    writeText(src + QStringLiteral("/items/_19708/2/pola.txt"),
              "Rok=1830\nKategoria=3\nTyp_wydarzenia=3\nWydarzenie bis=Koncert e-moll\n"
              "Autor=Fryderyk Chopin\nDodatkowe_informacje=\n");
    writeText(src + QStringLiteral("/items/_19701/1/pola.txt"),
              "Rok=1000\nTytu\xc5\x82=Pan Tadeusz\n");
    writeText(src + QStringLiteral("/items/_19708/3/pola.txt"),
              "Rok=1924\nKategoria=0\nTyp_wydarzenia=1\nWydarzenie bis=Nagroda Nobla dla Reymonta\n"
              "Autor=- \nDodatkowe_informacje=\n");
    writeText(src + QStringLiteral("/items/_19708/4/pola.txt"),
              "Rok=1834\nKategoria=10\nTyp_wydarzenia=1\nWydarzenie bis=Prapremiera "
              "\xe2\x80\x9eZemsty\xe2\x80\x9d\n"
              "Autor=- \nDodatkowe_informacje=Lw\xc3\xb3w\n");
    const QString file = m_dir->filePath(QStringLiteral("out.dat"));
    QCOMPARE(runTool({QStringLiteral("pack"), src, file}).exitCode, 0);

    const QHash<QString, QString> lines = {
        {QStringLiteral("1"),
         QStringLiteral("1834\t6\t1\t1\t„Pan Tadeusz”; Adam Mickiewicz; Paryż\n")},
        {QStringLiteral("2"), QStringLiteral("1830\t3\t3\t2\tKoncert e-moll; Fryderyk Chopin\n")},
        {QStringLiteral("3"), QStringLiteral("1924\t0\t1\t3\tNagroda Nobla dla Reymonta\n")},
        {QStringLiteral("4"), QStringLiteral("1834\t10\t1\t4\tPrapremiera „Zemsty”; Lwów\n")}};
    QString out;
    for (const QString &numer : numbers.split(u' '))
        out += lines[numer];

    const Result r = runTool(QStringList{QStringLiteral("calendar"), file} + order);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), out);
    QVERIFY(r.err.isEmpty());
}

void TestVerbariumDat::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("a title word") << QStringLiteral("tadeusz");
    QTest::newRow("typing, in capitals") << QStringLiteral("PAN TAD");
    QTest::newRow("a phrase") << QStringLiteral("\"pan tadeusz\"");
}

void TestVerbariumDat::search()
{
    QFETCH(QString, query);
    const Result r = runTool({QStringLiteral("search"), m_foreign, query});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("_19701\t3A\tPan Tadeusz\n"));
    QVERIFY(r.err.isEmpty());
}

void TestVerbariumDat::searchPassesOverADamagedCache_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("a letter of a title changed") << QStringLiteral("letter");
    QTest::newRow("cut inside its last page") << QStringLiteral("cut");
    QTest::newRow("without its digest") << QStringLiteral("digest");
}

void TestVerbariumDat::searchPassesOverADamagedCache()
{
    QFETCH(QString, damage);
    // The tool's own cache, in a folder of the test's.
    qputenv("XDG_CACHE_HOME", m_dir->filePath(QStringLiteral("cache")).toUtf8());
    const auto restore = qScopeGuard([] { qunsetenv("XDG_CACHE_HOME"); });
    QCoreApplication::setOrganizationName(VersionInfo::CompanyName());
    QCoreApplication::setApplicationName(VersionInfo::ProductName());
    const QString cache = SearchIndexBuilder::cacheFile(m_foreign);
    QVERIFY(cache.startsWith(m_dir->path()));
    QVERIFY(SearchIndexBuilder::ensure(m_foreign, cache));
    if (damage == u"digest") {
        QVERIFY(QFile::remove(cache + QStringLiteral(".b2")));
    } else {
        QFile file(cache);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        if (damage == u"cut")
            bytes.chop(1000);
        else
            bytes[bytes.indexOf("Pan Tadeusz") + 1] = 'e';
        QVERIFY(file.resize(0));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    const Result r = runTool({QStringLiteral("search"), m_foreign, QStringLiteral("tadeusz")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("_19701\t3A\tPan Tadeusz\n"));
    QVERIFY(r.err.isEmpty());
}

void TestVerbariumDat::exitStatus_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    const QString missing = QStringLiteral("/no/such/Verbarium.dat");
    QTest::newRow("no arguments") << QStringList() << 64 << QStringLiteral("usage:");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("dump"), QStringLiteral("x")}
                                     << 64 << QStringLiteral("usage:");
    QTest::newRow("too many arguments")
        << QStringList{QStringLiteral("list"), QStringLiteral("a"), QStringLiteral("b")} << 64
        << QStringLiteral("usage:");
    QTest::newRow("cat absent") << QStringList{QStringLiteral("cat"), QStringLiteral("@"),
                                               QStringLiteral("nope")}
                                << 1 << QString();
    QTest::newRow("fields absent") << QStringList{QStringLiteral("fields"), QStringLiteral("@"),
                                                  QStringLiteral("_19702"), QStringLiteral("1")}
                                   << 1 << QString();
    QTest::newRow("text absent") << QStringList{QStringLiteral("text"), QStringLiteral("@"),
                                                QStringLiteral("_19701"), QStringLiteral("3A")}
                                 << 1 << QString();
    QTest::newRow("render without text")
        << QStringList{QStringLiteral("render"), QStringLiteral("@"), QStringLiteral("_19701"),
                       QStringLiteral("3A")}
        << 1 << QString();
    QTest::newRow("render without fields")
        << QStringList{QStringLiteral("render"), QStringLiteral("@"), QStringLiteral("_19701"),
                       QStringLiteral("7")}
        << 1 << QString();
    QTest::newRow("render a question that is not there")
        << QStringList{QStringLiteral("render"), QStringLiteral("@"), QStringLiteral("_19710"),
                       QStringLiteral("1")}
        << 1 << QString();
    QTest::newRow("filmography missing file")
        << QStringList{QStringLiteral("filmography"), missing} << 2
        << QStringLiteral("Could not find file: \"%1\"").arg(missing);
    QTest::newRow("render without number")
        << QStringList{QStringLiteral("render"), QStringLiteral("@"), QStringLiteral("_19701")}
        << 64 << QStringLiteral("usage:");
    QTest::newRow("render missing file")
        << QStringList{QStringLiteral("render"), missing, QStringLiteral("_19701"),
                       QStringLiteral("1")}
        << 2 << QStringLiteral("Could not find file: \"%1\"").arg(missing);
    QTest::newRow("calendar in an unknown order")
        << QStringList{QStringLiteral("calendar"), QStringLiteral("@"), QStringLiteral("latami")}
        << 64 << QStringLiteral("usage:");
    QTest::newRow("calendar missing file")
        << QStringList{QStringLiteral("calendar"), missing} << 2
        << QStringLiteral("Could not find file: \"%1\"").arg(missing);
    QTest::newRow("list missing file")
        << QStringList{QStringLiteral("list"), missing} << 2
        << QStringLiteral("Nie można otworzyć pliku \"%1\"").arg(missing);
    QTest::newRow("items missing file")
        << QStringList{QStringLiteral("items"), missing} << 2
        << QStringLiteral("Could not find file: \"%1\"").arg(missing);
    QTest::newRow("verify damaged")
        << QStringList{QStringLiteral("verify"), QStringLiteral("@damaged")} << 2
        << QStringLiteral("ujemna liczba wpisów w tabeli (-1)");
    QTest::newRow("verify damaged index")
        << QStringList{QStringLiteral("verify"), QStringLiteral("@badindex")} << 2
        << QStringLiteral("indeks pozycji zapowiada 5 rekordów, a mieści 0");
    QTest::newRow("search finds nothing")
        << QStringList{QStringLiteral("search"), QStringLiteral("@"),
                       QStringLiteral("tadeusz pani")}
        << 1 << QString();
    QTest::newRow("search without a query")
        << QStringList{QStringLiteral("search"), QStringLiteral("@")} << 64
        << QStringLiteral("usage:");
    QTest::newRow("search missing file")
        << QStringList{QStringLiteral("search"), missing, QStringLiteral("pan")} << 2
        << QStringLiteral("Nie można otworzyć pliku \"%1\"").arg(missing);
    QTest::newRow("cat damaged") << QStringList{QStringLiteral("cat"), QStringLiteral("@damaged"),
                                                QStringLiteral("x")}
                                 << 2 << QStringLiteral("Uszkodzony plik");
}

void TestVerbariumDat::exitStatus()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    const QString damaged =
        writeFile(*m_dir, Bytes().i32(4).i32(-1), QStringLiteral("damaged.dat"));
    const QString badIndex = writeFile(*m_dir, container({{"L197\\UnidX", Bytes().i32(5)}}),
                                       QStringLiteral("badindex.dat"));
    for (QString &arg : args) {
        if (arg == u"@")
            arg = m_foreign;
        else if (arg == u"@damaged")
            arg = damaged;
        else if (arg == u"@badindex")
            arg = badIndex;
    }
    const Result r = runTool(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY(r.out.isEmpty());
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.contains(error), qPrintable(err));
    if (exitCode == 2)
        QCOMPARE(err.count(u'\n'), 1);
    if (exitCode == 1)
        QVERIFY(err.isEmpty());
}

void TestVerbariumDat::badSourceTrees_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown item file") << QStringLiteral("items/_19701/1/notes.txt")
                                       << QByteArray("x") << QStringLiteral("nieznany plik");
    QTest::newRow("character outside the code page")
        << QStringLiteral("items/_19701/1/tekst.htm") << QByteArray("\xe2\x9c\x93")
        << QStringLiteral("znak spoza strony kodowej Windows-1250");
    QTest::newRow("not UTF-8") << QStringLiteral("items/_19701/1/pola.txt") << QByteArray("\xb3")
                               << QStringLiteral("to nie jest tekst UTF-8");
    QTest::newRow("number too long")
        << QStringLiteral("index.tsv") << QByteArray("_19701\t12345678901\n")
        << QStringLiteral("index.tsv:1: UNID ma najwyżej 32 znaki");
    QTest::newRow("missing column") << QStringLiteral("index.tsv") << QByteArray("#\n_19701\n")
                                    << QStringLiteral("index.tsv:2: oczekiwano");
    QTest::newRow("entry twice") << QStringLiteral("raw/_19701/1/THUMB") << QByteArray("x")
                                 << QStringLiteral("występuje już w drzewie");
}

void TestVerbariumDat::badSourceTrees()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);

    const QString src = m_dir->filePath(QStringLiteral("src"));
    writeText(src + QStringLiteral("/items/_19701/1/thumb.bmp"), "BM");
    writeText(src + u'/' + file, contents);
    const QString out = m_dir->filePath(QStringLiteral("out.dat"));
    const Result r = runTool({QStringLiteral("pack"), src, out});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(QString::fromUtf8(r.err).contains(error), r.err.constData());
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(TestVerbariumDat)
#include "tst_verbariumdat.moc"
