#include "TFormList.h"

#include <QTest>

class TestFormList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addKeepsOrderAndOwnership();
    void deleteAndGetAtCheckTheIndex_data();
    void deleteAndGetAtCheckTheIndex();
    void deleteKind_data();
    void deleteKind();
};

namespace {
TFormList sample()
{
    TFormList list;
    list.Add(1, QStringLiteral("_19701"), QStringLiteral("1"));
    list.Add(2, QStringLiteral("_19702"), QStringLiteral("7"));
    list.Add(1, QStringLiteral("_19701"), QStringLiteral("2"));
    list.Add(17, QStringLiteral("_19799"), QStringLiteral("1"));
    return list;
}

QStringList numbers(const TFormList &list)
{
    QStringList n;
    TFormRecord r;
    for (int i = 0; list.GetAt(i, r); ++i)
        n.append(r.Typ + u'/' + r.Numer);
    return n;
}
} // namespace

void TestFormList::addKeepsOrderAndOwnership()
{
    TFormList list;
    TFormRecord *first = list.Add(3, QStringLiteral("_19701"), QStringLiteral("1"));
    for (int i = 0; i < 100; ++i)
        list.Add(0, QStringLiteral("_19702"), QString::number(i));
    // A record handed out stays where it is as the list grows.
    QCOMPARE(first->Kind, 3);
    QCOMPARE(first->Numer, QStringLiteral("1"));
    TFormRecord copy;
    QVERIFY(list.GetAt(0, copy));
    QCOMPARE(copy.Typ, QStringLiteral("_19701"));
    QCOMPARE(list.Count(), 101);
}

void TestFormList::deleteAndGetAtCheckTheIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("first") << 0 << true
                           << QStringList{QStringLiteral("_19702/7"), QStringLiteral("_19701/2"),
                                          QStringLiteral("_19799/1")};
    QTest::newRow("last") << 3 << true
                          << QStringList{QStringLiteral("_19701/1"), QStringLiteral("_19702/7"),
                                         QStringLiteral("_19701/2")};
    QTest::newRow("count") << 4 << false << numbers(sample());
    QTest::newRow("negative") << -1 << false << numbers(sample());
}

void TestFormList::deleteAndGetAtCheckTheIndex()
{
    QFETCH(int, index);
    QFETCH(bool, valid);
    QFETCH(QStringList, left);
    TFormList list = sample();
    TFormRecord record{9, QStringLiteral("kept"), QStringLiteral("kept")};
    QCOMPARE(list.GetAt(index, record), valid);
    if (!valid)
        QCOMPARE(record.Typ, QStringLiteral("kept"));
    QCOMPARE(list.Delete(index), valid);
    QCOMPARE(numbers(list), left);
}

void TestFormList::deleteKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("kind 1") << 1
                            << QStringList{QStringLiteral("_19702/7"), QStringLiteral("_19799/1")};
    QTest::newRow("kind 0 empties") << 0 << QStringList();
    QTest::newRow("absent kind") << 5 << numbers(sample());
}

void TestFormList::deleteKind()
{
    QFETCH(int, kind);
    QFETCH(QStringList, left);
    TFormList list = sample();
    list.DeleteKind(kind);
    QCOMPARE(numbers(list), left);
}

QTEST_GUILESS_MAIN(TestFormList)
#include "tst_formlist.moc"
