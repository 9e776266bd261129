#include "HtmlText.h"
#include "SearchFolding.h"
#include "SearchQuery.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSearchText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folding_data();
    void folding();
    void occurrences_data();
    void occurrences();
    void plainText_data();
    void plainText();
    void query_data();
    void query();
};

void TestSearchText::folding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("small letters") << u"ąćęłńóśźż"_s << u"acelnoszz"_s;
    QTest::newRow("capitals") << u"ĄĆĘŁŃÓŚŹŻ"_s << u"acelnoszz"_s;
    QTest::newRow("ASCII") << u"Mickiewicz, 1798!"_s << u"mickiewicz, 1798!"_s;
    QTest::newRow("a city") << u"ŁÓDŹ Łódź lodz"_s << u"lodz lodz lodz"_s;
    QTest::newRow("a turtle") << u"Żółw żółw ZOLW"_s << u"zolw zolw zolw"_s;
    QTest::newRow("other marks") << u"Émile Brontë"_s << u"emile bronte"_s;
}

void TestSearchText::folding()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(SearchFolding::fold(text), folded);
}

void TestSearchText::occurrences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<qsizetype>>("starts");
    using Starts = QList<qsizetype>;
    QTest::newRow("plain letters for Polish ones")
        << u"Ulica w Łodzi, Łódź"_s << u"lodz"_s << Starts{8, 15};
    QTest::newRow("Polish letters for plain ones") << u"zolw i ZOLW"_s << u"Żółw"_s << Starts{0, 7};
    QTest::newRow("small query, capital text") << u"ĄĆĘŁŃÓŚŹŻ"_s << u"ńóś"_s << Starts{4};
    QTest::newRow("ł and Ł are l") << u"Łabędź, ławka, Ul"_s << u"l"_s << Starts{0, 8, 16};
    QTest::newRow("inside words") << u"Pan Tadeusz, panna"_s << u"pan"_s << Starts{0, 13};
    QTest::newRow("overlapping text") << u"aaaaa"_s << u"aa"_s << Starts{0, 2};
    QTest::newRow("non-breaking space") << u"Pan\u00a0Tadeusz"_s << u"pan tadeusz"_s << Starts{0};
    QTest::newRow("not there") << u"Żółw"_s << u"zolwie"_s << Starts{};
    QTest::newRow("empty query") << u"tekst"_s << QString() << Starts{};
    QTest::newRow("blank query") << u"a  b"_s << u"  "_s << Starts{};
}

void TestSearchText::occurrences()
{
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(QList<qsizetype>, starts);
    QCOMPARE(SearchFolding::occurrences(text, query), starts);
}

void TestSearchText::plainText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::newRow("tags go, words stay apart")
        << QStringList{u"<h1>Pan Tadeusz</h1><p>Litwo!<br>Ojczyzno</p>"_s}
        << u"Pan Tadeusz Litwo! Ojczyzno"_s;
    QTest::newRow("inline tags inside a word")
        << QStringList{u"Ko<b>t</b> i <font color=red>pies</font>"_s} << u"Kot i pies"_s;
    QTest::newRow("lines and spaces")
        << QStringList{u"  jeden  "_s, u""_s, u"dwa\tdwa"_s} << u"jeden dwa dwa"_s;
    QTest::newRow("references") << QStringList{u"A&amp;B &lt;b&gt; &#243;&#x142; &nbsp;x &zzz;"_s}
                                << u"A&B <b> ół x &zzz;"_s;
    QTest::newRow("no half characters")
        << QStringList{u"&#xD800;&#0;&#1114112;"_s} << u"&#xD800;&#0;&#1114112;"_s;
    QTest::newRow("comments, scripts, styles")
        << QStringList{u"a<!-- b --> c<script>var d;</script> e<STYLE>f{}</style> g"_s}
        << u"a c e g"_s;
    QTest::newRow("unclosed tag") << QStringList{u"tekst <a href="_s} << u"tekst"_s;
}

void TestSearchText::plainText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QCOMPARE(HtmlText::plainText(lines), text);
}

void TestSearchText::query_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expression");
    QTest::newRow("typing a word") << u"Łód"_s << u"\"lod\"*"_s;
    QTest::newRow("word finished") << u"Łódź "_s << u"\"lodz\""_s;
    QTest::newRow("several words") << u"pan  TADEUSZ"_s << u"\"pan\" \"tadeusz\"*"_s;
    QTest::newRow("a phrase") << u"\"Litwo, ojczyzno\" moja"_s << u"\"litwo ojczyzno\" \"moja\"*"_s;
    QTest::newRow("an unclosed phrase") << u"dziady \"pan tad"_s << u"\"dziady\" \"pan tad\""_s;
    QTest::newRow("FTS syntax is only text")
        << u"a* OR NEAR(b) -c:"_s << u"\"a\" \"or\" \"near\" \"b\" \"c\""_s;
    QTest::newRow("markup only") << u"<>\"\" "_s << QString();
}

void TestSearchText::query()
{
    QFETCH(QString, text);
    QFETCH(QString, expression);
    const SearchQuery query(text);
    QCOMPARE(query.ftsExpression(), expression);
    QCOMPARE(query.isEmpty(), expression.isEmpty());
}

QTEST_GUILESS_MAIN(TestSearchText)
#include "tst_searchtext.moc"
