#include "QuizSummary.h"

#include <QTest>

class TestQuizSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gradesTheShareOfRightAnswers_data();
    void gradesTheShareOfRightAnswers();
    void page();
};

void TestQuizSummary::gradesTheShareOfRightAnswers_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("verdict");

    const QString pala = QStringLiteral("Pała!!! Cóż, nie każdy musi zdać maturę.");
    const QString dwoja = QStringLiteral("Dwója!!! - Do roboty, leniu!");
    const QString troja = QStringLiteral("Trója!!! - Dużo pracy przed Tobą.");
    const QString czworka = QStringLiteral("Czwórka!!! - Nieżle, ale mogło być lepiej.");
    const QString piatka = QStringLiteral("Piątka!!! - Świetnie! Tak trzymaj!");
    const QString szostka = QStringLiteral("Szóstka!!! - Gratulacje, mistrzu!");

    // Halves go to the even neighbour: 87.5 up, 62.5 and 12.5 down.
    QTest::newRow("7 of 8") << 7 << 8 << 88 << piatka;
    QTest::newRow("5 of 8") << 5 << 8 << 62 << troja;
    QTest::newRow("1 of 8") << 1 << 8 << 12 << pala;
    QTest::newRow("9 of 10") << 9 << 10 << 90 << szostka;
    QTest::newRow("1 of 2") << 1 << 2 << 50 << dwoja;
    QTest::newRow("3 of 4") << 3 << 4 << 75 << czworka;
    QTest::newRow("2 of 3") << 2 << 3 << 67 << troja;
    QTest::newRow("89 of 100") << 89 << 100 << 89 << piatka;
    QTest::newRow("all of 2") << 2 << 2 << 100 << szostka;
    QTest::newRow("none of 2") << 0 << 2 << 0 << pala;
    QTest::newRow("nothing asked") << 0 << 0 << 0 << pala;
}

void TestQuizSummary::gradesTheShareOfRightAnswers()
{
    QFETCH(int, right);
    QFETCH(int, asked);
    QFETCH(int, percent);
    QFETCH(QString, verdict);
    QCOMPARE(QuizSummary::Percent(right, asked), percent);
    QCOMPARE(QuizSummary::Verdict(percent), verdict);
}

void TestQuizSummary::page()
{
    QCOMPARE(QuizSummary::Page(7, 8),
             (QStringList{QStringLiteral("<H1>Podsumowanie:</H1><hr><br>"),
                          QStringLiteral("<b><center><h3>Odpowiedziałeś dobrze na 7 pytań(a), co "
                                         "stanowi 88% poprawnych odpowiedzi<br>Piątka!!! - "
                                         "Świetnie! Tak trzymaj!</h3></center></b>")}));
}

QTEST_GUILESS_MAIN(TestQuizSummary)
#include "tst_quizsummary.moc"
