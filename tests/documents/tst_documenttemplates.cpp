#include "ContainerFixture.h"
#include "DocumentTemplates.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QTest>

using namespace fixture;
using DocumentTemplates::Build;
using DocumentTemplates::Document;

namespace {

// Every field any category reads, each with a value of its own, so a template that reads the
// wrong field shows the wrong text.
const QStringList Fields{
    QStringLiteral("Tytuł=Pan Tadeusz"),
    QStringLiteral("Autor=Adam Mickiewicz"),
    QStringLiteral("Lead=Ostatni zajazd na Litwie"),
    QStringLiteral("I_wyd_miejsce=Paryż"),
    QStringLiteral("I_wyd_data=1834"),
    QStringLiteral("Autor_tekstu=Redakcja"),
    QStringLiteral("Urodzony=1798"),
    QStringLiteral("Zmarły=1855"),
    QStringLiteral("Epoka=Romantyzm"),
    QStringLiteral("Gatunek=Ballada"),
    QStringLiteral("Rodzaj=Liryka"),
    QStringLiteral("Termin=Inwokacja"),
    QStringLiteral("Dzieło=Dziady"),
    QStringLiteral("Fragment=Widma"),
    QStringLiteral("Źródło=Sonety krymskie"),
    QStringLiteral("Nazwa=Jacek Soplica"),
    QStringLiteral("_19701=1;2"),
};

const QStringList Text{QStringLiteral("<P>Litwo! <a href=\"../_19702/1.X?Open\">Ojczyzno</a>"),
                       QStringLiteral("moja! &amp; ty")};

const QString Works = QStringLiteral("_19701");
const QString Biographies = QStringLiteral("_19702");
const QString Heroes = QStringLiteral("_19799");
const QString Illustrations = QStringLiteral("_19711");

const QStringList DocumentCategories{
    QStringLiteral("_19701"), QStringLiteral("_19702"), QStringLiteral("_19703"),
    QStringLiteral("_19704"), QStringLiteral("_19705"), QStringLiteral("_19706"),
    QStringLiteral("_19711"), QStringLiteral("_19712"), QStringLiteral("_19713"),
    QStringLiteral("_19714"), QStringLiteral("_19720"), QStringLiteral("_19799")};

QStringList withText(const QStringList &heading, const QStringList &footer = {})
{
    return heading + Text + footer;
}

// A null caption or banner stands for none; hasLines false for no lines.
void compareDocument(const Document &document, const QString &caption, bool hasLines,
                     const QStringList &lines, const QString &banner)
{
    QCOMPARE(document.caption.has_value(), !caption.isNull());
    if (document.caption)
        QCOMPARE(*document.caption, caption);
    QCOMPARE(document.lines.has_value(), hasLines);
    if (document.lines)
        QCOMPARE(*document.lines, lines);
    QCOMPARE(document.banner.has_value(), !banner.isNull());
    if (document.banner)
        QCOMPARE(*document.banner, banner);
}

} // namespace

class TestDocumentTemplates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void templates_data();
    void templates();
    void lifeLine_data();
    void lifeLine();
    void publicationLine_data();
    void publicationLine();
    void valuesGoInAsStored();
    void unreadableFields_data();
    void unreadableFields();
    void categories_data();
    void categories();
    void buildEntry_data();
    void buildEntry();
};

void TestDocumentTemplates::templates_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("banner");

    QTest::newRow("works") << Works << QStringLiteral("Dzieło: Pan Tadeusz - Adam Mickiewicz")
                           << withText(
                                  {QStringLiteral("<h1>Pan Tadeusz</h1><b>• Adam Mickiewicz •<br>"),
                                   QStringLiteral("• Paryż • 1834 •</b><hr><br>")},
                                  {QStringLiteral("<br><br><font size=-1><p align=right><I>"
                                                  "Redakcja</I></font>")})
                           << QStringLiteral("Ostatni zajazd na Litwie");
    QTest::newRow("biography: footer leaves the font open")
        << Biographies << QStringLiteral("Twórca: Adam Mickiewicz")
        << withText(
               {QStringLiteral("<h1>Adam Mickiewicz</h1><b>• ur. 1798 • zm. 1855 •</b><hr><br>")},
               {QStringLiteral("<br><br><font size=-1><p align=right><I>Redakcja</I>")})
        << QString();
    QTest::newRow("epoch: text as stored")
        << QStringLiteral("_19703") << QStringLiteral("Epoka: Romantyzm") << Text << QString();
    QTest::newRow("genre") << QStringLiteral("_19704") << QStringLiteral("Gatunek: Ballada")
                           << withText(
                                  {QStringLiteral("<h1>Ballada</h1><b>• Liryka •</b><hr><br>")})
                           << QString();
    QTest::newRow("term") << QStringLiteral("_19705") << QStringLiteral("Termin: Inwokacja")
                          << withText({QStringLiteral("<h1>Inwokacja</h1><hr>")}) << QString();
    QTest::newRow("excerpt") << QStringLiteral("_19706") << QStringLiteral("Wypis: Dziady - Widma")
                             << withText({QStringLiteral(
                                    "<h1>Widma</h1><b>• Dziady • Adam Mickiewicz •</b><hr><br>")})
                             << QString();
    QTest::newRow("art: text as stored")
        << QStringLiteral("_19712") << QStringLiteral("Sztuka polska: Pan Tadeusz") << Text
        << QString();
    QTest::newRow("art, second kind: text as stored")
        << QStringLiteral("_19713") << QStringLiteral("Sztuka polska: Pan Tadeusz - Jacek Soplica")
        << Text << QString();
    QTest::newRow("kind") << QStringLiteral("_19714") << QStringLiteral("Rodzaj: Liryka")
                          << withText({QStringLiteral("<h1>Liryka</h1><b><hr>")}) << QString();
    QTest::newRow("quotation")
        << QStringLiteral("_19720") << QStringLiteral("Cytat: Sonety krymskie - Adam Mickiewicz")
        << withText(
               {QStringLiteral("<h1>Adam Mickiewicz</h1><b><br>• Sonety krymskie •</b><hr><br>")})
        << QString();
    QTest::newRow("hero: work line second, text from line 3")
        << Heroes << QStringLiteral("Bohater: Jacek Soplica")
        << withText(
               {QStringLiteral("<h1>Jacek Soplica</h1><b>"), QStringLiteral("• Dziady •</b><hr>")})
        << QString();
    QTest::newRow("illustration: title as plain first line")
        << Illustrations << QStringLiteral("Ilustracja: Pan Tadeusz")
        << withText({QStringLiteral("Pan Tadeusz")}) << QStringLiteral("Pan Tadeusz");
}

void TestDocumentTemplates::templates()
{
    QFETCH(QString, typ);
    QFETCH(QString, caption);
    QFETCH(QStringList, lines);
    QFETCH(QString, banner);

    compareDocument(Build(typ, Fields, Text), caption, true, lines, banner);
    // Without the text the caption and banner stay, the view stays empty.
    compareDocument(Build(typ, Fields, std::nullopt), caption, false, {}, banner);
}

void TestDocumentTemplates::lifeLine_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");

    QTest::newRow("died") << QStringList{QStringLiteral("Autor=Adam Mickiewicz"),
                                         QStringLiteral("Urodzony=24 grudnia 1798"),
                                         QStringLiteral("Zmarły=26 listopada 1855")}
                          << QStringLiteral(
                                 "<h1>Adam Mickiewicz</h1><b>• ur. 24 grudnia 1798 • zm. "
                                 "26 listopada 1855 •</b><hr><br>");
    QTest::newRow("living") << QStringList{QStringLiteral("Autor=Wisława Szymborska"),
                                           QStringLiteral("Urodzony=1923")}
                            << QStringLiteral(
                                   "<h1>Wisława Szymborska</h1><b>• ur. 1923 •</b><hr><br>");
    QTest::newRow("empty Zmarły") << QStringList{QStringLiteral("Autor=X"),
                                                 QStringLiteral("Urodzony=1923"),
                                                 QStringLiteral("Zmarły=")}
                                  << QStringLiteral("<h1>X</h1><b>• ur. 1923 •</b><hr><br>");
}

void TestDocumentTemplates::lifeLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);

    QCOMPARE(DocumentTemplates::BiographyLifeLine(fields), line);
    const Document document = Build(Biographies, fields, Text);
    QVERIFY(document.lines);
    QCOMPARE(document.lines->value(0), line);
}

void TestDocumentTemplates::publicationLine_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");

    const QString place = QStringLiteral("I_wyd_miejsce=Paryż");
    const QString date = QStringLiteral("I_wyd_data=1834");
    QTest::newRow("place and date")
        << QStringList{place, date} << QStringLiteral("• Paryż • 1834 •</b><hr><br>");
    QTest::newRow("place only") << QStringList{place} << QStringLiteral("• Paryż •</b><hr><br>");
    QTest::newRow("date only") << QStringList{date} << QStringLiteral(" • 1834 •</b><hr><br>");
    QTest::newRow("neither") << QStringList() << QStringLiteral("</b><hr><br>");
    QTest::newRow("both empty") << QStringList{QStringLiteral("I_wyd_miejsce="),
                                               QStringLiteral("I_wyd_data=")}
                                << QStringLiteral("</b><hr><br>");
    QTest::newRow("a blank is a place")
        << QStringList{QStringLiteral("I_wyd_miejsce= ")} << QStringLiteral("•   •</b><hr><br>");
}

void TestDocumentTemplates::publicationLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);

    QCOMPARE(DocumentTemplates::WorksPublicationLine(fields), line);
    const Document document = Build(Works, fields, Text);
    QVERIFY(document.lines);
    QCOMPARE(document.lines->value(1), line);
}

void TestDocumentTemplates::valuesGoInAsStored()
{
    const QStringList fields{QStringLiteral("Tytuł=Ala & <i>kot</i>"),
                             QStringLiteral("Autor= Jan ")};
    const Document document = Build(Works, fields, Text);
    QCOMPARE(document.caption, QStringLiteral("Dzieło: Ala & <i>kot</i> -  Jan "));
    QVERIFY(document.lines);
    QCOMPARE(document.lines->value(0), QStringLiteral("<h1>Ala & <i>kot</i></h1><b>•  Jan  •<br>"));

    const Document illustration =
        Build(Illustrations, QStringList{QStringLiteral("Tytuł=<b>Łąka</b> & las")}, Text);
    QCOMPARE(illustration.caption, QStringLiteral("Ilustracja: <b>Łąka</b> & las"));
    QVERIFY(illustration.lines);
    QCOMPARE(illustration.lines->value(0), QStringLiteral("<b>Łąka</b> & las"));
}

void TestDocumentTemplates::unreadableFields_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasLines");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("biography: empty values")
        << Biographies << QStringLiteral("Twórca: ") << true
        << withText({QStringLiteral("<h1></h1><b>• ur.  •</b><hr><br>")},
                    {QStringLiteral("<br><br><font size=-1><p align=right><I></I>")});
    QTest::newRow("hero: empty values")
        << Heroes << QStringLiteral("Bohater: ") << true
        << withText({QStringLiteral("<h1></h1><b>"), QStringLiteral("•  •</b><hr>")});
    for (const QString &typ : DocumentCategories) {
        if (typ != Biographies && typ != Heroes)
            QTest::addRow("%s: nothing", qPrintable(typ))
                << typ << QString() << false << QStringList();
    }
}

void TestDocumentTemplates::unreadableFields()
{
    QFETCH(QString, typ);
    QFETCH(QString, caption);
    QFETCH(bool, hasLines);
    QFETCH(QStringList, lines);

    compareDocument(Build(typ, std::nullopt, Text), caption, hasLines, lines, QString());
}

void TestDocumentTemplates::categories_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<bool>("document");

    for (const QString &typ : DocumentCategories)
        QTest::newRow(qPrintable(typ)) << typ << true;
    for (const char *typ :
         {"_19700", "_19708", "_19709", "_19710", "_19721", "", "_1970", "_197011"})
        QTest::addRow("not %s", typ) << QString::fromLatin1(typ) << false;
}

void TestDocumentTemplates::categories()
{
    QFETCH(QString, typ);
    QFETCH(bool, document);

    QCOMPARE(DocumentTemplates::IsDocumentCategory(typ), document);
    QCOMPARE(DocumentTemplates::UsesDescription(typ), typ == Illustrations);
    if (!document)
        compareDocument(Build(typ, Fields, Text), QString(), false, {}, QString());
}

void TestDocumentTemplates::buildEntry_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("numer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasLines");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("banner");

    QTest::newRow("works")
        << Works << QStringLiteral("1") << QStringLiteral("Dzieło: Lalka - Bolesław Prus") << true
        << QStringList{QStringLiteral("<h1>Lalka</h1><b>• Bolesław Prus •<br>"),
                       QStringLiteral("</b><hr><br>"), QStringLiteral("<P>Wokulski"),
                       QStringLiteral("<br><br><font size=-1><p align=right><I></I></font>")}
        << QStringLiteral("Warszawa");
    QTest::newRow("illustration shows the description")
        << Illustrations << QStringLiteral("1") << QStringLiteral("Ilustracja: Łódź") << true
        << QStringList{QStringLiteral("Łódź"), QStringLiteral("<P>Fabryka")}
        << QStringLiteral("Łódź");
    QTest::newRow("biography without fields")
        << Biographies << QStringLiteral("2") << QStringLiteral("Twórca: ") << true
        << QStringList{QStringLiteral("<h1></h1><b>• ur.  •</b><hr><br>"),
                       QStringLiteral("<P>Życiorys"),
                       QStringLiteral("<br><br><font size=-1><p align=right><I></I>")}
        << QString();
    QTest::newRow("empty text") << QStringLiteral("_19705") << QStringLiteral("4")
                                << QStringLiteral("Termin: Apostrofa") << true
                                << QStringList{QStringLiteral("<h1>Apostrofa</h1><hr>")}
                                << QString();
    QTest::newRow("no text") << QStringLiteral("_19703") << QStringLiteral("3")
                             << QStringLiteral("Epoka: Barok") << false << QStringList()
                             << QString();
    QTest::newRow("not in the item index")
        << Works << QStringLiteral("9") << QString() << false << QStringList() << QString();
    QTest::newRow("no document window") << QStringLiteral("_19708") << QStringLiteral("1")
                                        << QString() << false << QStringList() << QString();
}

void TestDocumentTemplates::buildEntry()
{
    QFETCH(QString, typ);
    QFETCH(QString, numer);
    QFETCH(QString, caption);
    QFETCH(bool, hasLines);
    QFETCH(QStringList, lines);
    QFETCH(QString, banner);

    TPSSDirectory directory(std::make_unique<TSimplePSS>(
        container({
            {"L197\\UnidX", itemIndex({{"A1", "_19701", "1"},
                                       {"B1", "_19711", "1"},
                                       {"C2", "_19702", "2"},
                                       {"D3", "_19703", "3"},
                                       {"E4", "_19705", "4"},
                                       {"F1", "_19708", "1"}})},
            {"L197\\TypX\\_19701\\1\\Pola",
             cp(QStringLiteral("Tytuł=Lalka\r\nAutor=Bolesław Prus\r\nLead=Warszawa\r\n"))},
            {"_19701\\1", "<P>Wokulski\r\n"},
            {"L197\\TypX\\_19711\\1\\Pola", cp(QStringLiteral("Tytuł=Łódź\r\nNumer=1\r\n"))},
            {"_19711\\1\\Opis", "<P>Fabryka"},
            {"_19711\\1", "<P>not the description"},
            {"_19702\\2", cp(QStringLiteral("<P>Życiorys"))},
            {"L197\\TypX\\_19703\\3\\Pola", "Epoka=Barok"},
            {"L197\\TypX\\_19705\\4\\Pola", "Termin=Apostrofa"},
            {"_19705\\4", ""},
            {"L197\\TypX\\_19701\\9\\Pola", cp(QStringLiteral("Tytuł=Poza indeksem"))},
            {"_19701\\9", "<P>x"},
            {"L197\\TypX\\_19708\\1\\Pola", "Data=1834"},
            {"_19708\\1", "<P>x"},
        }),
        QStringLiteral("mem")));

    compareDocument(DocumentTemplates::BuildEntry(directory, typ, numer), caption, hasLines, lines,
                    banner);
}

QTEST_GUILESS_MAIN(TestDocumentTemplates)
#include "tst_documenttemplates.moc"
