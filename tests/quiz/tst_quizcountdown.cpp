#include "QuizCountdown.h"

#include <QSignalSpy>
#include <QTest>

class TestQuizCountdown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepsAfterMoreThanASecond_data();
    void stepsAfterMoreThanASecond();
    void runsOnItsTimer();
};

void TestQuizCountdown::stepsAfterMoreThanASecond_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<QList<quint32>>("ticks"); // one timer event at each
    QTest::addColumn<QList<quint32>>("steps"); // the tick counts that stepped

    QTest::newRow("a second exactly is not enough")
        << 5000u << QList<quint32>{5250, 5500, 5750, 6000} << QList<quint32>{};
    QTest::newRow("the first event past a second")
        << 5000u << QList<quint32>{5250, 5500, 5750, 6000, 6250, 6500} << QList<quint32>{6250};
    QTest::newRow("counted from the last step")
        << 0u << QList<quint32>{1001, 2001, 2002, 3003} << QList<quint32>{1001, 2002, 3003};
    QTest::newRow("a late event steps once")
        << 0u << QList<quint32>{5000, 5250} << QList<quint32>{5000};
    QTest::newRow("across the wrap of the tick count")
        << 0xFFFFFF00u << QList<quint32>{0xFFFFFFFF, 0x000002E9, 0x000002EA}
        << QList<quint32>{0x000002E9};
}

void TestQuizCountdown::stepsAfterMoreThanASecond()
{
    QFETCH(quint32, start);
    QFETCH(QList<quint32>, ticks);
    QFETCH(QList<quint32>, steps);

    quint32 now = start;
    QuizCountdown countdown([&now] { return now; });
    QList<quint32> stepped;
    connect(&countdown, &QuizCountdown::Step, this, [&] { stepped.append(now); });
    countdown.Restart();
    QCOMPARE(countdown.LastTick(), start);
    for (quint32 tick : ticks) {
        now = tick;
        countdown.Timer1Timer();
    }
    QCOMPARE(stepped, steps);
}

void TestQuizCountdown::runsOnItsTimer()
{
    quint32 now = 0;
    QuizCountdown countdown([&now] { return now; });
    QSignalSpy steps(&countdown, &QuizCountdown::Step);
    QVERIFY(!countdown.IsRunning());
    countdown.Restart();
    QVERIFY(countdown.IsRunning());
    now = 1001;
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), 1, 2000);
    countdown.Stop();
    now = 5000;
    QTest::qWait(2 * QuizCountdown::Interval);
    QCOMPARE(steps.size(), 1);
}

QTEST_GUILESS_MAIN(TestQuizCountdown)
#include "tst_quizcountdown.moc"
