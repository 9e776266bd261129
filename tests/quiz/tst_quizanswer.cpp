#include "QuizAnswer.h"

#include <QTest>

class TestQuizAnswer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judging_data();
    void judging();
    void wrongAnswerText_data();
    void wrongAnswerText();
};

void TestQuizAnswer::judging_data()
{
    QTest::addColumn<QString>("correct");
    QTest::addColumn<QStringList>("submitted");
    QTest::addColumn<bool>("right");

    const QString one = QStringLiteral("Odp1=1"), two = QStringLiteral("Odp2=2"),
                  three = QStringLiteral("Odp3=3");
    const QString oneThree = QStringLiteral("1, 3");
    QTest::newRow("1, 3: 1 and 3") << oneThree << QStringList{one, three} << true;
    QTest::newRow("1, 3: 3 alone") << oneThree << QStringList{three} << false;
    QTest::newRow("1, 3: 1 alone") << oneThree << QStringList{one} << false;
    QTest::newRow("1, 3: all three") << oneThree << QStringList{one, two, three} << false;
    QTest::newRow("1, 3: none") << oneThree << QStringList{} << false;
    // The boxes count in the order of their names, not of the lines.
    QTest::newRow("1, 3: lines in another order") << oneThree << QStringList{three, one} << true;
    QTest::newRow("2: 2") << QStringLiteral("2") << QStringList{two} << true;
    QTest::newRow("2: 2 and 3") << QStringLiteral("2") << QStringList{two, three} << false;
    QTest::newRow("commas only") << QStringLiteral("1,2") << QStringList{one, two} << true;
    QTest::newRow("blanks only") << QStringLiteral("2 3") << QStringList{two, three} << true;
    // Digits in descending order can never be matched.
    QTest::newRow("3, 1: 1 and 3") << QStringLiteral("3, 1") << QStringList{one, three} << false;
    QTest::newRow("other names ignored")
        << QStringLiteral("2") << QStringList{QStringLiteral("Odpowiedz=&Sprawdź"), two} << true;
}

void TestQuizAnswer::judging()
{
    QFETCH(QString, correct);
    QFETCH(QStringList, submitted);
    QFETCH(bool, right);
    QCOMPARE(QuizAnswer::IsRight(correct, submitted), right);
}

void TestQuizAnswer::wrongAnswerText_data()
{
    QTest::addColumn<QString>("correct");
    QTest::addColumn<QString>("text");

    QTest::newRow("one answer") << QStringLiteral("2")
                                << QStringLiteral("Źle!\r\nPoprawna jest odpowiedź: 2");
    QTest::newRow("two answers, as stored")
        << QStringLiteral("1, 3") << QStringLiteral("Źle!\r\nPoprawne są odpowiedzi: 1, 3");
    // Counted in characters as stored: a trailing blank makes it two.
    QTest::newRow("one answer and a blank")
        << QStringLiteral("2 ") << QStringLiteral("Źle!\r\nPoprawne są odpowiedzi: 2 ");
}

void TestQuizAnswer::wrongAnswerText()
{
    QFETCH(QString, correct);
    QFETCH(QString, text);
    QCOMPARE(QuizAnswer::WrongAnswerText(correct), text);
}

QTEST_GUILESS_MAIN(TestQuizAnswer)
#include "tst_quizanswer.moc"
