#include "ContainerFixture.h"
#include "QuizPage.h"
#include "TPSSDirectory.h"

#include <QTest>

using namespace fixture;

class TestQuizPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsThePage();
    void read_data();
    void read();
};

void TestQuizPage::buildsThePage()
{
    const QStringList fields{QStringLiteral("Trudność=Średnie"), QStringLiteral("1=<i>Dziady</i>"),
                             QStringLiteral("2=Kordian"), QStringLiteral("POPRAWNA=1, 3"),
                             QStringLiteral("3=Balladyna=dramat")};
    const QStringList page = QuizPage::Build(
        12, fields, {QStringLiteral("Które dramaty"), QStringLiteral("napisał Słowacki?")});
    QCOMPARE(page,
             (QStringList{
                 QStringLiteral("<body><br><table border align=center width=75%>"),
                 QStringLiteral("<tr><td bgcolor=\"#d0d0d0\">"),
                 QStringLiteral("<table align=center>"),
                 QStringLiteral("<tr><th align=right><h3>Pytanie numer 12</h3></th></td>"),
                 QStringLiteral("<tr><td><hr></td>"),
                 QStringLiteral("<tr><td align=center><h3>"),
                 QStringLiteral("Które dramaty"),
                 QStringLiteral("napisał Słowacki?"),
                 QStringLiteral("</h3></td>"),
                 QStringLiteral("<tr><td><hr><br></td>"),
                 QStringLiteral("<tr><td align=left><b>Odpowiedzi:</b></td>"),
                 QStringLiteral("<tr><td align=left><ol><li><input type=checkbox Name=Odp1 "
                                "value=1> <i>Dziady</i><br>"),
                 QStringLiteral("<li><input type=checkbox Name=Odp2 value=2> Kordian<br>"),
                 QStringLiteral(
                     "<li><input type=checkbox Name=Odp3 value=3> Balladyna=dramat</ol></td>"),
                 QStringLiteral("<tr><td><hr></td>"),
                 QStringLiteral("<tr><td align= center><h3><INPUT TYPE=SUBMIT name=\"Odpowiedz\" "
                                "value=\"&Sprawdź\"></h3></td>"),
                 QStringLiteral("</table>"),
                 QStringLiteral("</table><br><br></body>"),
             }));
}

void TestQuizPage::read_data()
{
    QTest::addColumn<QByteArray>("numer");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("question");
    QTest::addColumn<QString>("correct");

    QTest::newRow("field list and text")
        << QByteArray("1") << true << QStringList{QStringLiteral("Kto napisał „Lalkę”?")}
        << QStringLiteral("2");
    QTest::newRow("empty text") << QByteArray("2") << true << QStringList()
                                << QStringLiteral("1, 3");
    QTest::newRow("no text") << QByteArray("3") << false << QStringList() << QString();
    QTest::newRow("no field list") << QByteArray("4") << false << QStringList() << QString();
    QTest::newRow("not in the item index")
        << QByteArray("5") << false << QStringList() << QString();
    QTest::newRow("nothing drawn") << QByteArray() << false << QStringList() << QString();
}

void TestQuizPage::read()
{
    QFETCH(QByteArray, numer);
    QFETCH(bool, read);
    QFETCH(QStringList, question);
    QFETCH(QString, correct);

    const QTemporaryDir dir;
    const auto fields = [](const char *correct) {
        return cp(QStringLiteral("1=Prus\r\n2=Orzeszkowa\r\n3=Sienkiewicz\r\nPoprawna=%1")
                      .arg(QLatin1String(correct)));
    };
    const QString path =
        writeFile(dir, container({
                           {"L197\\UnidX", itemIndex({{"A", "_19710", "1"},
                                                      {"B", "_19710", "2"},
                                                      {"C", "_19710", "3"},
                                                      {"D", "_19710", "4"}})},
                           {"L197\\TypX\\_19710\\1\\Pola", fields("2")},
                           {"_19710\\1", cp(QStringLiteral("Kto napisał „Lalkę”?"))},
                           {"L197\\TypX\\_19710\\2\\Pola", fields("1, 3")},
                           {"_19710\\2", QByteArray()},
                           {"L197\\TypX\\_19710\\3\\Pola", fields("3")},
                           {"_19710\\4", QByteArray("Pytanie")},
                           {"L197\\TypX\\_19710\\5\\Pola", fields("1")},
                           {"_19710\\5", QByteArray("Pytanie")},
                       }));
    TPSSDirectory directory(path);
    const auto result = QuizPage::Read(directory, QString::fromLatin1(numer), 1);
    QCOMPARE(result.has_value(), read);
    if (!read)
        return;
    QCOMPARE(result->correctAnswers, correct);
    QCOMPARE(result->page.size(), 16 + question.size());
    QCOMPARE(result->page.mid(6, question.size()), question);
    QCOMPARE(result->page[3],
             QStringLiteral("<tr><th align=right><h3>Pytanie numer 1</h3></th></td>"));
    QCOMPARE(result->page[6 + question.size() + 3],
             QStringLiteral(
                 "<tr><td align=left><ol><li><input type=checkbox Name=Odp1 value=1> Prus<br>"));
}

QTEST_GUILESS_MAIN(TestQuizPage)
#include "tst_quizpage.moc"
