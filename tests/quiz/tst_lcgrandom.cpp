#include "LcgRandom.h"

#include <QTest>

class TestLcgRandom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstValues_data();
    void firstValues();
    void drawsStayInRange();
    void seedFromTimeOfDay_data();
    void seedFromTimeOfDay();
};

using Draws = QList<quint32>;

void TestLcgRandom::firstValues_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<Draws>("draws");  // of 10, 10, 10, 100, 7
    QTest::addColumn<Draws>("states"); // after each draw

    QTest::newRow("seed 0") << quint32(0) << Draws{0, 0, 8, 20, 1}
                            << Draws{1, 134775814, 3698175007, 870078620, 1172187917};
    QTest::newRow("seed 12345") << quint32(12345) << Draws{3, 2, 0, 55, 4}
                                << Draws{1655067934, 1242767767, 342459380, 2377737157, 2721613530};
    QTest::newRow("last millisecond of the day")
        << quint32(86399999) << Draws{7, 9, 3, 23, 1}
        << Draws{3106359292, 4274149357, 1451879330, 994124331, 658233048};
}

void TestLcgRandom::firstValues()
{
    QFETCH(quint32, seed);
    QFETCH(Draws, draws);
    QFETCH(Draws, states);

    LcgRandom random(seed);
    const quint32 ranges[] = {10, 10, 10, 100, 7};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(random.Draw(ranges[i]), draws[i]);
        QCOMPARE(random.State(), states[i]);
    }
}

void TestLcgRandom::drawsStayInRange()
{
    LcgRandom random(0xFFFFFFFF);
    for (quint32 n : {1u, 2u, 3u, 600u, 0xFFFFFFFFu}) {
        for (int i = 0; i < 1000; ++i)
            QVERIFY(random.Draw(n) < n);
    }
    QCOMPARE(random.Draw(0), 0u);
}

void TestLcgRandom::seedFromTimeOfDay_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("midnight") << QTime(0, 0) << quint32(0);
    QTest::newRow("12:34:56.789") << QTime(12, 34, 56, 789) << quint32(45296789);
    QTest::newRow("23:59:59.999") << QTime(23, 59, 59, 999) << quint32(86399999);
}

void TestLcgRandom::seedFromTimeOfDay()
{
    QFETCH(QTime, time);
    QFETCH(quint32, seed);
    QCOMPARE(LcgRandom::SeedFor(time), seed);

    LcgRandom random(0xFFFFFFFF);
    random.Randomize();
    QVERIFY(random.State() < 86400000u);
}

QTEST_GUILESS_MAIN(TestLcgRandom)
#include "tst_lcgrandom.moc"
