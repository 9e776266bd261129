#include "Cp1250.h"
#include "TextLines.h"

#include <QTest>

class TestTextLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void fieldValue_data();
    void fieldValue();
    void codePage_data();
    void codePage();
    void unmappableCharactersAreReported();
};

void TestTextLines::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one line") << QStringLiteral("a") << QStringList{QStringLiteral("a")};
    QTest::newRow("trailing break") << QStringLiteral("a\r\n") << QStringList{QStringLiteral("a")};
    QTest::newRow("mixed breaks") << QStringLiteral("a\r\nb\rc\nd")
                                  << QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                 QStringLiteral("c"), QStringLiteral("d")};
    QTest::newRow("blank lines kept")
        << QStringLiteral("a\n\n\r\rb\n\r")
        << QStringList{QStringLiteral("a"), QString(),           QString(),
                       QString(),           QStringLiteral("b"), QString()};
    QTest::newRow("only a break") << QStringLiteral("\r\n") << QStringList{QString()};
}

void TestTextLines::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextLines::split(text), lines);
}

void TestTextLines::fieldValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("exact") << QStringLiteral("Autor") << QStringLiteral("Adam Mickiewicz");
    QTest::newRow("other case, Polish letters")
        << QStringLiteral("TYTUŁ") << QStringLiteral("Pan Tadeusz");
    QTest::newRow("first of two") << QStringLiteral("Epoka") << QStringLiteral("Romantyzm");
    QTest::newRow("value holding =") << QStringLiteral("_19701") << QStringLiteral("1;2=3");
    QTest::newRow("empty value") << QStringLiteral("Opis") << QString();
    QTest::newRow("line without =") << QStringLiteral("bez znaku") << QString();
    QTest::newRow("prefix of a name") << QStringLiteral("Tytu") << QString();
    QTest::newRow("absent") << QStringLiteral("Gatunek") << QString();
}

void TestTextLines::fieldValue()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    const QStringList fields{QStringLiteral("Tytuł=Pan Tadeusz"),
                             QStringLiteral("Autor=Adam Mickiewicz"),
                             QStringLiteral("bez znaku"),
                             QStringLiteral("Epoka=Romantyzm"),
                             QStringLiteral("epoka=Oświecenie"),
                             QStringLiteral("_19701=1;2=3"),
                             QStringLiteral("Opis=")};
    QCOMPARE(TextLines::fieldValue(fields, name), value);
}

void TestTextLines::codePage_data()
{
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QByteArray>("upperBytes");

    QTest::newRow("A") << QStringLiteral("A") << QStringLiteral("a") << QByteArray("A");
    QTest::newRow("Ą") << QStringLiteral("Ą") << QStringLiteral("ą") << QByteArray("\xa5");
    QTest::newRow("Ć") << QStringLiteral("Ć") << QStringLiteral("ć") << QByteArray("\xc6");
    QTest::newRow("Ę") << QStringLiteral("Ę") << QStringLiteral("ę") << QByteArray("\xca");
    QTest::newRow("Ł") << QStringLiteral("Ł") << QStringLiteral("ł") << QByteArray("\xa3");
    QTest::newRow("Ń") << QStringLiteral("Ń") << QStringLiteral("ń") << QByteArray("\xd1");
    QTest::newRow("Ó") << QStringLiteral("Ó") << QStringLiteral("ó") << QByteArray("\xd3");
    QTest::newRow("Ś") << QStringLiteral("Ś") << QStringLiteral("ś") << QByteArray("\x8c");
    QTest::newRow("Ź") << QStringLiteral("Ź") << QStringLiteral("ź") << QByteArray("\x8f");
    QTest::newRow("Ż") << QStringLiteral("Ż") << QStringLiteral("ż") << QByteArray("\xaf");
    QTest::newRow("Š") << QStringLiteral("Š") << QStringLiteral("š") << QByteArray("\x8a");
    QTest::newRow("digit") << QStringLiteral("7") << QStringLiteral("7") << QByteArray("7");
    QTest::newRow("quote") << QStringLiteral("„") << QStringLiteral("„") << QByteArray("\x84");
}

void TestTextLines::codePage()
{
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QFETCH(QByteArray, upperBytes);

    QCOMPARE(Cp1250::encode(upper), upperBytes);
    QCOMPARE(Cp1250::decode(upperBytes), upper);
    const QByteArray lowerBytes = Cp1250::encode(lower);
    QCOMPARE(Cp1250::decode(lowerBytes), lower);
    const auto u = static_cast<unsigned char>(upperBytes[0]);
    const auto l = static_cast<unsigned char>(lowerBytes[0]);
    QCOMPARE(Cp1250::foldCase(u), l);
    QCOMPARE(Cp1250::foldCase(l), l);
    // Upper-casing for keys touches ASCII letters only.
    QCOMPARE(Cp1250::upperAscii(lowerBytes),
             upper.at(0).unicode() < 0x80 ? upperBytes : lowerBytes);
}

void TestTextLines::unmappableCharactersAreReported()
{
    bool ok = true;
    QCOMPARE(Cp1250::encode(QStringLiteral("Łódź ✓ €"), &ok), QByteArray("\xa3\xf3"
                                                                         "d\x9f ? \x80"));
    QVERIFY(!ok);
    QCOMPARE(Cp1250::encode(QStringLiteral("Żółć"), &ok), QByteArray("\xaf\xf3\xb3\xe6"));
    QVERIFY(ok);
}

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
