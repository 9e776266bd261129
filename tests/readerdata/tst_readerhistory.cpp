#include "ReaderHistory.h"
#include "ReaderStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Noon(QDate(2026, 3, 14), QTime(12, 0));

HistoryEntry entry(const QString &numer, const QString &caption, const QDateTime &time = Noon,
                   int windowId = 1)
{
    return {0, u"_19701"_s, numer, caption, time, windowId};
}

QStringList captions(const QList<HistoryEntry> &entries)
{
    QStringList list;
    for (const HistoryEntry &e : entries)
        list.append(e.caption);
    return list;
}

} // namespace

class TestReaderHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_stores = 0;

    // A store of its own for each test, in a folder that does not exist yet.
    QString newPath() { return m_dir.filePath(u"s%1/czytelnik.sqlite"_s.arg(++m_stores)); }

private Q_SLOTS:
    void keepsEntriesInOrderAcrossReopening()
    {
        const QString path = newPath();
        const QList<HistoryEntry> written{
            entry(u"7"_s, u"Pan Tadeusz"_s, Noon, 2),
            {0, u"_19702"_s, u"1"_s, u"Adam Mickiewicz"_s, Noon.addSecs(-3600), 1},
            entry(u"7"_s, u"Pan Tadeusz"_s, Noon.addMSecs(1), 3),
        };
        {
            ReaderStore store(path);
            ReaderHistory history(store);
            qint64 lastId = 0;
            for (const HistoryEntry &e : written) {
                const qint64 id = history.record(e);
                QVERIFY(id > lastId);
                lastId = id;
            }
        }
        ReaderStore store(path);
        QCOMPARE(store.problem(), QString());
        const QList<HistoryEntry> read = ReaderHistory(store).entries();
        QCOMPARE(read.size(), written.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].typ, written[i].typ);
            QCOMPARE(read[i].numer, written[i].numer);
            QCOMPARE(read[i].caption, written[i].caption);
            QCOMPARE(read[i].time, written[i].time);
            QCOMPARE(read[i].windowId, written[i].windowId);
        }
    }

    void recentListsEachPlaceOnceNewestFirst_data()
    {
        QTest::addColumn<QString>("visits"); // numbers of the places, in the order seen
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected"); // captions: number and when it was seen
        QTest::newRow("in reverse")
            << u"1 2 3"_s << 10 << QStringList{u"3@2"_s, u"2@1"_s, u"1@0"_s};
        QTest::newRow("a place seen again comes first with its latest visit")
            << u"1 2 1 3 2"_s << 10 << QStringList{u"2@4"_s, u"3@3"_s, u"1@2"_s};
        QTest::newRow("only as many as asked")
            << u"1 2 3 4 4"_s << 2 << QStringList{u"4@4"_s, u"3@2"_s};
        QTest::newRow("none asked") << u"1 2"_s << 0 << QStringList{};
    }

    void recentListsEachPlaceOnceNewestFirst()
    {
        QFETCH(QString, visits);
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        ReaderStore store(newPath());
        ReaderHistory history(store);
        const QStringList numbers = visits.split(u' ');
        for (qsizetype i = 0; i < numbers.size(); ++i)
            history.record(entry(numbers[i], numbers[i] + u'@' + QString::number(i)));
        QCOMPARE(captions(history.recent(count)), expected);
    }

    void groupsByLocalDay()
    {
        ReaderStore store(newPath());
        ReaderHistory history(store);
        const QDate first(2026, 3, 13);
        history.record(entry(u"1"_s, u"a"_s, QDateTime(first, QTime(0, 0, 1))));
        history.record(entry(u"2"_s, u"b"_s, QDateTime(first, QTime(23, 59, 59))));
        history.record(entry(u"3"_s, u"c"_s, QDateTime(first.addDays(1), QTime(0, 0))));
        history.record(entry(u"4"_s, u"d"_s, QDateTime(first.addDays(3), QTime(8, 0))));
        history.record(entry(u"1"_s, u"e"_s, QDateTime(first.addDays(3), QTime(9, 0))));

        const QList<ReaderHistory::Day> days = history.byDay();
        QCOMPARE(days.size(), 3);
        QCOMPARE(days[0].date, first.addDays(3));
        QCOMPARE(captions(days[0].entries), (QStringList{u"e"_s, u"d"_s}));
        QCOMPARE(days[1].date, first.addDays(1));
        QCOMPARE(captions(days[1].entries), QStringList{u"c"_s});
        QCOMPARE(days[2].date, first);
        QCOMPARE(captions(days[2].entries), (QStringList{u"b"_s, u"a"_s}));
    }

    void searchesCaptionsFoldedForPolish_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("without diacritics") << u"lodz"_s << QStringList{u"Łódź w XIX wieku"_s};
        QTest::newRow("capitals") << u"ŁÓDŹ"_s << QStringList{u"Łódź w XIX wieku"_s};
        QTest::newRow("inside a word")
            << u"ŻÓŁ"_s << QStringList{u"Zażółć gęślą jaźń"_s, u"Żółw"_s};
        QTest::newRow("spaces around") << u"  tadeusz "_s << QStringList{u"Pan Tadeusz"_s};
        QTest::newRow("several words") << u"gesla jazn"_s << QStringList{u"Zażółć gęślą jaźń"_s};
        QTest::newRow("nowhere") << u"Wokulski"_s << QStringList{};
        QTest::newRow("blank") << u"  "_s << QStringList{};
    }

    void searchesCaptionsFoldedForPolish()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        ReaderStore store(newPath());
        ReaderHistory history(store);
        const QStringList seen{u"Pan Tadeusz"_s, u"Żółw"_s, u"Łódź w XIX wieku"_s,
                               u"Zażółć gęślą jaźń"_s};
        for (qsizetype i = 0; i < seen.size(); ++i)
            history.record(entry(QString::number(i), seen[i]));
        QCOMPARE(captions(history.search(text)), expected);
    }

    void removesOneAndClearsAll()
    {
        const QString path = newPath();
        qint64 highest = 0;
        {
            ReaderStore store(path);
            ReaderHistory history(store);
            history.record(entry(u"1"_s, u"a"_s));
            const qint64 middle = history.record(entry(u"2"_s, u"b"_s));
            highest = history.record(entry(u"3"_s, u"c"_s));
            history.remove(middle);
        }
        ReaderStore store(path);
        ReaderHistory history(store);
        QCOMPARE(captions(history.entries()), (QStringList{u"a"_s, u"c"_s}));
        history.clear();
        QCOMPARE(history.entries().size(), 0);
        QCOMPARE(history.byDay().size(), 0);
        // Ids keep growing after a clear, so the order of entries stays the order of visits.
        QVERIFY(history.record(entry(u"4"_s, u"d"_s)) > highest);
    }
};

QTEST_GUILESS_MAIN(TestReaderHistory)
#include "tst_readerhistory.moc"
