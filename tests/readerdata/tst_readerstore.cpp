#include "Bookmarks.h"
#include "ReaderHistory.h"
#include "ReaderStore.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

HistoryEntry entry(const QString &numer)
{
    return {0, u"_19701"_s, numer, u"Wpis "_s + numer, QDateTime::currentDateTime(), 1};
}

QString pragmaText(ReaderStore &store, const char *sql)
{
    SqliteDatabase::Statement statement(store.database(), sql);
    return statement.step() ? statement.text(0) : QString();
}

QStringList numbers(ReaderStore &store)
{
    QStringList list;
    for (const HistoryEntry &e : ReaderHistory(store).entries())
        list.append(e.numer);
    return list;
}

// The test program run as a helper: records entries PREFIX+START, PREFIX+START+1, ... (COUNT of
// them, or without end when COUNT is negative) and prints each number once it is committed.
int runWriter(char **argv)
{
    ReaderStore store(QString::fromLocal8Bit(argv[2]));
    ReaderHistory history(store);
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    const int start = std::atoi(argv[4]);
    const int count = std::atoi(argv[5]);
    for (int i = start; count < 0 || i < start + count; ++i) {
        history.record(entry(prefix + QString::number(i)));
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}

QProcess *startWriter(QObject *parent, const QString &path, const QString &prefix, int start,
                      int count)
{
    auto *writer = new QProcess(parent);
    writer->start(QCoreApplication::applicationFilePath(),
                  {u"--writer"_s, path, prefix, QString::number(start), QString::number(count)});
    return writer;
}

} // namespace

class TestReaderStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_stores = 0;

    QString newPath() { return m_dir.filePath(u"s%1/czytelnik.sqlite"_s.arg(++m_stores)); }

private Q_SLOTS:
    void createsTheSchemaInWalMode()
    {
        const QString path = newPath();
        ReaderStore store(path);
        QCOMPARE(store.problem(), QString());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(pragmaText(store, "PRAGMA journal_mode"), u"wal"_s);
        QCOMPARE(pragmaText(store, "PRAGMA user_version").toInt(), ReaderStore::SchemaVersion);
        QCOMPARE(pragmaText(store, "PRAGMA synchronous").toInt(), 1); // NORMAL
    }

    void writeIsAllOrNothing()
    {
        ReaderStore store(newPath());
        ReaderHistory history(store);
        history.record(entry(u"1"_s));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, store.write([&] {
            history.record(entry(u"2"_s));
            throw std::runtime_error("przerwane");
        }));
        QCOMPARE(numbers(store), QStringList{u"1"_s});
        history.record(entry(u"3"_s));
        QCOMPARE(numbers(store), (QStringList{u"1"_s, u"3"_s}));
    }

    void movesADamagedStoreAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("garbage") << u"garbage"_s;
        QTest::newRow("a folder at its path") << u"folder"_s;
        QTest::newRow("truncated") << u"truncated"_s;
        QTest::newRow("the header only") << u"header"_s;
    }

    void movesADamagedStoreAside()
    {
        QFETCH(QString, damage);
        const QString path = newPath();
        if (damage == u"folder"_s) {
            QVERIFY(QDir().mkpath(path));
            QVERIFY(QFile(path + u"/plik"_s).open(QIODevice::WriteOnly));
        } else if (damage == u"garbage"_s) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray bytes(8192, '\0');
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                                          bytes.size() / 4);
            file.write(bytes);
        } else {
            {
                ReaderStore store(path);
                ReaderHistory history(store);
                store.write([&] {
                    for (int i = 0; i < 500; ++i)
                        history.record(entry(QString::number(i).repeated(20)));
                });
            }
            QFile file(path);
            QVERIFY(file.size() > 16 * 4096);
            QVERIFY(file.resize(damage == u"header"_s ? 100 : file.size() / 2));
        }
        const QByteArray damaged = fixture::readFile(path);

        ReaderStore store(path);
        const QString movedTo = store.movedTo();
        QVERIFY2(movedTo.startsWith(path + u".uszkodzony-"_s), qPrintable(movedTo));
        QVERIFY2(store.problem().contains(QDir::toNativeSeparators(movedTo)),
                 qPrintable(store.problem()));
        QCOMPARE(QFileInfo(movedTo).isDir(), damage == u"folder"_s);
        QCOMPARE(fixture::readFile(movedTo), damaged);
        QVERIFY(numbers(store).isEmpty());

        ReaderHistory(store).record(entry(u"1"_s));
        ReaderStore reopened(path);
        QCOMPARE(reopened.problem(), QString());
        QCOMPARE(numbers(reopened), QStringList{u"1"_s});
    }

    void leavesAStoreOfALaterVersionAlone()
    {
        const QString path = newPath();
        {
            ReaderStore store(path);
            ReaderHistory(store).record(entry(u"1"_s));
            store.database().exec("PRAGMA user_version = 99");
        }
        {
            ReaderStore store(path);
            QVERIFY(!store.problem().isEmpty());
            QCOMPARE(store.movedTo(), QString());
            ReaderHistory history(store);
            QVERIFY(history.entries().isEmpty());
            history.record(entry(u"2"_s));
        }
        SqliteDatabase db(path, SqliteDatabase::Mode::ReadOnly);
        SqliteDatabase::Statement version(db, "PRAGMA user_version");
        QVERIFY(version.step());
        QCOMPARE(version.integer(0), 99);
        SqliteDatabase::Statement count(db, "SELECT count(*) FROM history");
        QVERIFY(count.step());
        QCOMPARE(count.integer(0), 1);
    }

    void twoStoresOnOneFileTakeTurns()
    {
        const QString path = newPath();
        ReaderStore first(path);
        ReaderStore second(path);
        QStringList written;
        for (int i = 0; i < 40; ++i) {
            ReaderStore &store = i % 2 ? second : first;
            written.append(QString::number(i));
            ReaderHistory(store).record(entry(written.last()));
            Bookmarks(store).toggle(u"_19701"_s, u"7"_s, u"Pan Tadeusz"_s);
            QCOMPARE(numbers(i % 2 ? first : second), written);
        }
        QVERIFY(!Bookmarks(first).find(u"_19701"_s, u"7"_s));
    }

    void twoProgramsWriteAtOnce()
    {
        const QString path = newPath();
        ReaderStore{path}; // the schema, so that both start from a file
        constexpr int Count = 150;
        QProcess *a = startWriter(this, path, u"a"_s, 0, Count);
        QProcess *b = startWriter(this, path, u"b"_s, 0, Count);
        for (QProcess *writer : {a, b}) {
            QVERIFY(writer->waitForFinished(120000));
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
            QCOMPARE(writer->readAllStandardOutput().count('\n'), Count);
        }
        ReaderStore store(path);
        QStringList fromA, fromB;
        for (const QString &numer : numbers(store))
            (numer.startsWith(u'a') ? fromA : fromB).append(numer.mid(1));
        QStringList expected;
        for (int i = 0; i < Count; ++i)
            expected.append(QString::number(i));
        QCOMPARE(fromA, expected);
        QCOMPARE(fromB, expected);
    }

    void aKilledWriterLosesAtMostItsLastChange()
    {
        const QString path = newPath();
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        QStringList kept;
        for (int round = 0; round < 20; ++round) {
            QProcess *writer = startWriter(this, path, QString(), int(kept.size()), -1);
            QVERIFY(writer->waitForStarted());
            // Some rounds die while opening the file, the others while writing.
            if (round % 4 != 0)
                QVERIFY(writer->waitForReadyRead(30000));
            QThread::usleep(random.bounded(round % 4 ? 50000 : 20000));
            writer->kill();
            QVERIFY(writer->waitForFinished());
            const QByteArray output = writer->readAllStandardOutput();
            const qsizetype reported = output.count('\n');
            delete writer;

            ReaderStore store(path);
            QVERIFY2(store.problem().isEmpty(), qPrintable(store.problem()));
            QCOMPARE(pragmaText(store, "PRAGMA integrity_check"), u"ok"_s);
            const QStringList found = numbers(store);
            QVERIFY2(found.size() == kept.size() + reported ||
                         found.size() == kept.size() + reported + 1,
                     qPrintable(u"round %1: %2 kept, %3 reported, %4 found"_s.arg(round)
                                    .arg(kept.size())
                                    .arg(reported)
                                    .arg(found.size())));
            for (qsizetype i = kept.size(); i < found.size(); ++i)
                kept.append(QString::number(i));
            QCOMPARE(found, kept);
        }
        qInfo("%lld entries kept over 20 kills", qint64(kept.size()));
    }
};

int main(int argc, char **argv)
{
    if (argc == 6 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(argv);
    QCoreApplication app(argc, argv);
    TestReaderStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readerstore.moc"
