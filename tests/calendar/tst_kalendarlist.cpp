#include "TKalendarList.h"

#include <QTest>

namespace {

struct Event
{
    int year, category, type;
};

// Numbered 1, 2, ... in the given order.
TKalendarList listOf(const QList<Event> &events)
{
    TKalendarList list;
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Event &e = events[i];
        list.Add({e.year, e.category, e.type, QString::number(i + 1), QStringLiteral("_19708")});
    }
    return list;
}

QStringList numbers(const TKalendarList &list)
{
    QStringList out;
    TKalendarRecord record;
    for (int i = 0; i < list.Count(); ++i) {
        list.GetRecord(i, record);
        out.append(record.Numer);
    }
    return out;
}

// Five events with equal categories, types and years among them (year, category, type).
const QList<Event> Mixed = {{1900, 2, 1}, {1800, 1, 3}, {1900, 1, 1}, {1700, 2, 3}, {1800, 1, 3}};

} // namespace

Q_DECLARE_METATYPE(Event)

class TestKalendarList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordsAreCopiesReadAtEveryPosition();
    void sortBy_data();
    void sortBy();
    void findNearest_data();
    void findNearest();
};

void TestKalendarList::recordsAreCopiesReadAtEveryPosition()
{
    TKalendarList list;
    TKalendarRecord added{1834, 6, 1, QStringLiteral("12"), QStringLiteral("_19708")};
    list.Add(added);
    added.Year = 1;
    QCOMPARE(list.Count(), 1);

    // A list of one event gives that event: the last position is an event like any other.
    TKalendarRecord record;
    QVERIFY(list.GetRecord(0, record));
    QCOMPARE(record.Year, 1834);
    QCOMPARE(record.Category, 6);
    QCOMPARE(record.EventType, 1);
    QCOMPARE(record.Numer, QStringLiteral("12"));
    QCOMPARE(record.Typ, QStringLiteral("_19708"));

    record.Year = 7;
    QVERIFY(!list.GetRecord(1, record));
    QVERIFY(!list.GetRecord(-1, record));
    QCOMPARE(record.Year, 7);

    list.Clear();
    QCOMPARE(list.Count(), 0);
    QVERIFY(!list.GetRecord(0, record));
    QCOMPARE(list.FindNearest(TKalendarList::AnyEvent, 1834), -1);
    list.SortBy(TKalendarList::ByYear);
    QCOMPARE(list.Count(), 0);
}

void TestKalendarList::sortBy_data()
{
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QStringList>("order");

    const auto order = [](const char *numbers) { return QString::fromLatin1(numbers).split(u' '); };
    // Worked through the exchanges by hand; where a stable sort would differ it says so.
    QTest::newRow("year: equal years leave load order (stable: 4 2 5 1 3)")
        << Mixed << QList<int>{0} << order("4 5 2 1 3");
    QTest::newRow("category, year within it (stable: 2 5 3 4 1)")
        << Mixed << QList<int>{1} << order("5 2 3 4 1");
    QTest::newRow("type") << Mixed << QList<int>{2} << order("1 3 4 2 5");
    QTest::newRow("year, then category") << Mixed << QList<int>{0, 1} << order("2 5 3 4 1");
    QTest::newRow("year, then type") << Mixed << QList<int>{0, 2} << order("3 1 4 5 2");
    QTest::newRow("year: the first gap swaps past an equal year (stable: 3 1 2 4)")
        << QList<Event>{{1900, 0, 0}, {1900, 0, 0}, {1800, 0, 0}, {1900, 0, 0}} << QList<int>{0}
        << order("3 2 1 4");
    QTest::newRow("one event") << QList<Event>{{1500, 3, 2}} << QList<int>{1} << order("1");
    QTest::newRow("negative and zero years")
        << QList<Event>{{0, 0, 1}, {-5, 0, 1}, {1997, 0, 1}} << QList<int>{0} << order("2 1 3");
}

void TestKalendarList::sortBy()
{
    QFETCH(QList<Event>, events);
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, order);

    TKalendarList list = listOf(events);
    for (int key : keys)
        list.SortBy(TKalendarList::SortKey(key));
    QCOMPARE(numbers(list), order);
}

void TestKalendarList::findNearest_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("position");

    // Positions in: 1900 c2 t1, 1800 c1 t3, 1850 c1 t1, 1850 c2 t3, 1950 c1 t2.
    QTest::newRow("equally near: the earlier position") << 0 << 1825 << 0 << 1;
    QTest::newRow("exact year: the first of equal years") << 0 << 1850 << 0 << 2;
    QTest::newRow("past the last year") << 0 << 2500 << 0 << 4;
    QTest::newRow("category from year 0: its earliest event") << 1 << 0 << 2 << 3;
    QTest::newRow("category: tie keeps the earlier position") << 1 << 1825 << 1 << 1;
    QTest::newRow("type") << 2 << 1990 << 3 << 3;
    QTest::newRow("type: tie keeps the earlier position") << 2 << 1875 << 1 << 0;
    QTest::newRow("category without events") << 1 << 1900 << 16 << -1;
    QTest::newRow("type without events") << 2 << 1900 << 4 << -1;
    QTest::newRow("9998 years away is found") << 0 << 1800 - 9998 << 0 << 1;
    QTest::newRow("9999 years away is not") << 0 << 1800 - 9999 << 0 << -1;
}

void TestKalendarList::findNearest()
{
    QFETCH(int, mode);
    QFETCH(int, year);
    QFETCH(int, filter);
    QFETCH(int, position);

    const TKalendarList list =
        listOf({{1900, 2, 1}, {1800, 1, 3}, {1850, 1, 1}, {1850, 2, 3}, {1950, 1, 2}});
    QCOMPARE(list.FindNearest(TKalendarList::FindMode(mode), year, filter), position);
}

QTEST_GUILESS_MAIN(TestKalendarList)
#include "tst_kalendarlist.moc"
