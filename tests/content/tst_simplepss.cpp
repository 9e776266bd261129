#include "ContainerFixture.h"
#include "ContentError.h"
#include "TSimplePSS.h"

#include <QDir>
#include <QLoggingCategory>
#include <QTest>

using namespace fixture;

class TestSimplePSS : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLoggingCategory::setFilterRules(QString()); }

    void readsEntriesWithSizesFromStoredOrder();
    void lookupIgnoresLetterCase_data();
    void lookupIgnoresLetterCase();
    void emptyTableFindsNothing();
    void streamSemantics();
    void duplicateNameFindsFirstStored();
    void damagedFilesAreRejected_data();
    void damagedFilesAreRejected();
    void damagedFileErrorNamesThePath();
    void unopenableFileThrows();
    void traceLineOnlyWhenEnabled();

private:
    QTemporaryDir m_dir;
};

void TestSimplePSS::readsEntriesWithSizesFromStoredOrder()
{
    // Stored out of alphabetical order, with empty entries in the middle and at the end:
    // sizes must follow the stored order, the last one running up to the table.
    const Entries entries = {{"Zeta", "zzzz"},  {"Alfa", "a"},         {"Pusty", ""},
                             {"Mi", "mmmmmmm"}, {"L197\\UnidX", "ix"}, {"Koniec", ""}};
    const QString path = writeFile(m_dir, container(entries));
    TSimplePSS pss(path);

    QCOMPARE(pss.count(), entries.size());
    qint32 offset = 4;
    for (int i = 0; i < entries.size(); ++i) {
        const TSimplePSS::Entry e = pss.entryAt(i);
        QCOMPARE(e.name, entries[i].first);
        QCOMPARE(e.offset, offset);
        QCOMPARE(e.size, entries[i].second.size());
        offset += e.size;

        QByteArray stream;
        QVERIFY(pss.ReadEntry(entries[i].first, stream));
        QCOMPARE(stream, entries[i].second);
    }
    QCOMPARE(pss.lastEntrySize(), 0);
}

void TestSimplePSS::lookupIgnoresLetterCase_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("requested");
    QTest::addColumn<bool>("found");

    QTest::newRow("ascii lower") << QByteArray("L197\\UnidX") << QByteArray("l197\\unidx") << true;
    QTest::newRow("ascii upper") << QByteArray("_19701\\abc") << QByteArray("_19701\\ABC") << true;
    QTest::newRow("polish lower to upper")
        << cp(QStringLiteral("Łódź\\Święto")) << cp(QStringLiteral("ŁÓDŹ\\ŚWIĘTO")) << true;
    QTest::newRow("polish upper to lower")
        << cp(QStringLiteral("ŻÓŁĆ ĄŃ")) << cp(QStringLiteral("żółć ąń")) << true;
    QTest::newRow("other letter") << QByteArray("L197\\UnidX") << QByteArray("L197\\UnidY")
                                  << false;
    QTest::newRow("prefix") << QByteArray("L197\\UnidX") << QByteArray("L197\\Unid") << false;
    QTest::newRow("longer") << QByteArray("L197") << QByteArray("L197\\") << false;
    QTest::newRow("diacritic differs")
        << cp(QStringLiteral("Łza")) << cp(QStringLiteral("Lza")) << false;
}

void TestSimplePSS::lookupIgnoresLetterCase()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, requested);
    QFETCH(bool, found);

    TSimplePSS pss(container({{"Aaa", "1"}, {stored, "data"}, {"zzz", "2"}}),
                   QStringLiteral("mem"));
    QByteArray stream;
    QCOMPARE(pss.ReadEntry(requested, stream), found);
    QCOMPARE(stream, found ? QByteArray("data") : QByteArray());
}

void TestSimplePSS::emptyTableFindsNothing()
{
    TSimplePSS pss(container({}), QStringLiteral("mem"));
    QCOMPARE(pss.count(), 0);
    QCOMPARE(pss.lastEntrySize(), 0);
    QByteArray stream;
    QVERIFY(!pss.ReadEntry("L197\\UnidX", stream));
    QVERIFY(!pss.ReadEntry("", stream));
}

void TestSimplePSS::streamSemantics()
{
    TSimplePSS pss(container({{"ab", "ab"}, {"empty", ""}}), QStringLiteral("mem"));

    // Not found: the stream is left as it was.
    QByteArray stream("untouched");
    QVERIFY(!pss.ReadEntry("missing", stream));
    QCOMPARE(stream, QByteArray("untouched"));

    // Found: written from position 0 on, without truncating what lies beyond.
    stream = "0123456789";
    QVERIFY(pss.ReadEntry("AB", stream));
    QCOMPARE(stream, QByteArray("ab23456789"));

    // An empty entry is found and copies nothing.
    QByteArray empty;
    QVERIFY(pss.ReadEntry("empty", empty));
    QVERIFY(empty.isEmpty());
}

void TestSimplePSS::duplicateNameFindsFirstStored()
{
    TSimplePSS pss(
        container({{"b", "x"}, {"Dup", "first"}, {"a", "y"}, {"DUP", "second"}, {"dup", "third"}}),
        QStringLiteral("mem"));
    QByteArray stream;
    QVERIFY(pss.ReadEntry("dUp", stream));
    QCOMPARE(stream, QByteArray("first"));
}

void TestSimplePSS::damagedFilesAreRejected_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");

    const QString prefix = QStringLiteral("Uszkodzony plik \"mem\": ");
    QTest::newRow("empty file") << QByteArray()
                                << prefix + QStringLiteral("plik ma mniej niż 4 bajty");
    QTest::newRow("three bytes") << QByteArray("\x08\0\0", 3)
                                 << prefix + QStringLiteral("plik ma mniej niż 4 bajty");
    QTest::newRow("table at 0") << QByteArray(Bytes().i32(0).i32(0))
                                << prefix + QStringLiteral(
                                                "pozycja tabeli 0 leży w pierwszych 4 bajtach");
    QTest::newRow("table at 3") << QByteArray(Bytes().i32(3).i32(0))
                                << prefix + QStringLiteral(
                                                "pozycja tabeli 3 leży w pierwszych 4 bajtach");
    QTest::newRow("negative table position")
        << QByteArray(Bytes().i32(-8).i32(0))
        << prefix + QStringLiteral("pozycja tabeli -8 leży w pierwszych 4 bajtach");
    QTest::newRow("table past the end")
        << QByteArray(Bytes().i32(100).i32(0))
        << prefix + QStringLiteral("pozycja tabeli 100 leży poza plikiem o rozmiarze 8 bajtów");
    QTest::newRow("count cut off")
        << QByteArray(Bytes().i32(4).raw(QByteArray("\0\0", 2)))
        << prefix + QStringLiteral("pozycja tabeli 4 leży poza plikiem o rozmiarze 6 bajtów");
    QTest::newRow("negative count")
        << QByteArray(Bytes().i32(4).i32(-1))
        << prefix + QStringLiteral("ujemna liczba wpisów w tabeli (-1)");
    QTest::newRow("huge count") << QByteArray(Bytes().i32(4).i32(2147483647).i32(1).raw("a").i32(4))
                                << prefix + QStringLiteral(
                                                "tabela 2147483647 wpisów nie mieści się w pliku");
    QTest::newRow("records past the end")
        << QByteArray(Bytes().i32(4).i32(2).i32(1).raw("a").i32(4))
        << prefix + QStringLiteral("tabela 2 wpisów nie mieści się w pliku");
    QTest::newRow("second record cut off")
        << QByteArray(Bytes().i32(4).i32(2).i32(5).raw("abcde").i32(4).i32(1).raw("b"))
        << prefix + QStringLiteral("wpis 2: wykracza poza koniec pliku");
    QTest::newRow("negative name length")
        << QByteArray(Bytes().i32(4).i32(1).i32(-5).i32(4))
        << prefix + QStringLiteral("wpis 1: ujemna długość nazwy (-5)");
    QTest::newRow("name past the end")
        << QByteArray(Bytes().i32(4).i32(1).i32(50).raw("abc").i32(4))
        << prefix + QStringLiteral("wpis 1: wykracza poza koniec pliku");
    QTest::newRow("offset cut off")
        << QByteArray(Bytes().i32(4).i32(1).i32(4).raw("abcd").raw(QByteArray("\4\0", 2)))
        << prefix + QStringLiteral("wpis 1: wykracza poza koniec pliku");
    QTest::newRow("offset inside the position")
        << QByteArray(Bytes().i32(8).raw("data").i32(1).i32(1).raw("a").i32(2))
        << prefix + QStringLiteral("wpis 1: przesunięcie danych 2 leży poza obszarem danych 4..8");
    QTest::newRow("offset in the table")
        << QByteArray(Bytes().i32(8).raw("data").i32(1).i32(1).raw("a").i32(9))
        << prefix + QStringLiteral("wpis 1: przesunięcie danych 9 leży poza obszarem danych 4..8");
    QTest::newRow("offsets descending")
        << QByteArray(
               Bytes().i32(8).raw("data").i32(2).i32(1).raw("a").i32(6).i32(1).raw("b").i32(5))
        << prefix +
               QStringLiteral("wpis 2: przesunięcie danych 5 jest mniejsze niż poprzednie (6)");
}

void TestSimplePSS::damagedFilesAreRejected()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, error);

    seedCorpus(file);

    try {
        TSimplePSS pss(file, QStringLiteral("mem"));
        QFAIL("a damaged file was accepted");
    } catch (const ContentError &e) {
        QCOMPARE(e.message(), error);
    }
}

void TestSimplePSS::damagedFileErrorNamesThePath()
{
    const QString path = writeFile(m_dir, Bytes().i32(4).i32(-3), QStringLiteral("bad.dat"));
    QVERIFY_THROWS_EXCEPTION(ContentError, TSimplePSS{path});
    try {
        TSimplePSS pss(path);
    } catch (const ContentError &e) {
        QCOMPARE(
            e.message(),
            QStringLiteral("Uszkodzony plik \"%1\": ujemna liczba wpisów w tabeli (-3)").arg(path));
    }
}

void TestSimplePSS::unopenableFileThrows()
{
    const QString path = m_dir.filePath(QStringLiteral("missing.dat"));
    try {
        TSimplePSS pss(path);
        QFAIL("a missing file was opened");
    } catch (const ContentError &e) {
        QVERIFY2(
            e.message().startsWith(QStringLiteral("Nie można otworzyć pliku \"%1\": ").arg(path)),
            qPrintable(e.message()));
    }
}

namespace {
QStringList traced;
void collectTrace(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "verbarium.container") == 0)
        traced.append(message);
}
} // namespace

void TestSimplePSS::traceLineOnlyWhenEnabled()
{
    TSimplePSS pss(container({{cp(QStringLiteral("Wpis\\Źródło")), "12345"}}),
                   QStringLiteral("mem"));
    traced.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectTrace);
    QByteArray stream;
    pss.ReadEntry(cp(QStringLiteral("wpis\\źródło")), stream);
    QLoggingCategory::setFilterRules(QStringLiteral("verbarium.container.debug=true"));
    QByteArray again;
    pss.ReadEntry(cp(QStringLiteral("wpis\\źródło")), again);
    pss.ReadEntry("missing", again);
    qInstallMessageHandler(previous);

    QCOMPARE(traced, QStringList{QStringLiteral("Nazwa: wpis\\źródło Rozmiar: 5")});
}

QTEST_GUILESS_MAIN(TestSimplePSS)
#include "tst_simplepss.moc"
