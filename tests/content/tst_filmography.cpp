#include "ContainerFixture.h"
#include "Filmography.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <QTest>

using namespace fixture;

namespace {

const QStringList Films{
    QString(), // 0: in the item index without a field list
    QStringLiteral("Tytuł=lalka\nReżyser_imię=Zenon\nReżyser_nazwisko=Z"),
    QStringLiteral("Tytuł=Ludzie bezdomni\nReżyser_imię=Adam\nReżyser_nazwisko=B"),
    QStringLiteral("Tytuł=Łąka\nReżyser_imię=Adam\nReżyser_nazwisko=C"),
    QStringLiteral("Tytuł=Lalka\nReżyser_imię=Adam\nReżyser_nazwisko=D"),
    QStringLiteral("Tytuł=Lalka\nReżyser_nazwisko=Has"),
    QStringLiteral("Tytuł=Morze\nReżyser_imię=Adam\nReżyser_nazwisko=E"),
};

} // namespace

class TestFilmography : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void row();
    void table_data();
    void table();
};

void TestFilmography::row()
{
    QCOMPARE(
        Filmography::Row(
            {QStringLiteral("Tytuł=Wesele"), QStringLiteral("Reżyser_imię=Andrzej"),
             QStringLiteral("Reżyser_nazwisko=Wajda"), QStringLiteral("Scenariusz_imię=Andrzej"),
             QStringLiteral("Scenariusz_nazwisko=Kijowski"), QStringLiteral("Data=1972"),
             QStringLiteral("Dzieło=„Wesele” <i>Wyspiańskiego</i>")}),
        QStringLiteral(
            "<tr><td bgcolor=\"#FFFF80\" valign=top><b>Wesele</b>&nbsp;</td> "
            "<td bgcolor=\"#FFFFFF\" valign=top>Andrzej Wajda&nbsp;</td>"
            "<td bgcolor=\"#FFFF80\" valign=top>Andrzej Kijowski&nbsp;</td>"
            "<td bgcolor=\"#FFFFFF\" valign=top>1972&nbsp;</td>"
            "<td bgcolor=\"#FFFF80\" valign=top>„Wesele” <i>Wyspiańskiego</i>&nbsp;</td></tr>"));
    // Without a first name the director cell starts with the joining blank.
    QVERIFY(Filmography::Row({QStringLiteral("Reżyser_nazwisko=Has")})
                .contains(QStringLiteral("<td bgcolor=\"#FFFFFF\" valign=top> Has&nbsp;</td>")));
    QCOMPARE(Filmography::Row({}),
             QStringLiteral("<tr><td bgcolor=\"#FFFF80\" valign=top><b></b>&nbsp;</td> "
                            "<td bgcolor=\"#FFFFFF\" valign=top> &nbsp;</td>"
                            "<td bgcolor=\"#FFFF80\" valign=top> &nbsp;</td>"
                            "<td bgcolor=\"#FFFFFF\" valign=top>&nbsp;</td>"
                            "<td bgcolor=\"#FFFF80\" valign=top>&nbsp;</td></tr>"));
}

void TestFilmography::table_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QList<int>>("order");

    // Same titles go by the director cell (a blank first, then the first name), whatever the
    // letter case of the title; the film without a field list has an empty title and leads.
    QTest::newRow("C") << QLocale::c() << QList<int>{0, 5, 4, 1, 2, 6, 3};
    QTest::newRow("Polish: Ł after L")
        << QLocale(QLocale::Polish, QLocale::Poland) << QList<int>{0, 5, 4, 1, 2, 3, 6};
}

void TestFilmography::table()
{
    QFETCH(QLocale, locale);
    QFETCH(QList<int>, order);

    QList<Item> items;
    Entries entries;
    for (int i = 0; i < Films.size(); ++i) {
        const QByteArray numer = QByteArray::number(i);
        items.append({"U" + numer, "_19709", numer});
        if (!Films[i].isEmpty())
            entries.append({"L197\\TypX\\_19709\\" + numer + "\\Pola", cp(Films[i])});
    }
    items.append({"Q", "_19710", "1"}); // not a film
    entries.append({"L197\\TypX\\_19710\\1\\Pola", cp(QStringLiteral("Tytuł=Pytanie"))});
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    const QTemporaryDir dir;
    TPSSDirectory directory(writeFile(dir, container(entries)));

    QStringList expected{
        QStringLiteral("<table align=center border CellPadding=4 CellSpacing=1 width=100%>"),
        QStringLiteral("<tr><th>Tytuł filmu</th><th>Reżyser</th><th>Scenarzysta</th>"
                       "<th>Premiera</th><th>Na podstawie</th></tr>")};
    for (int i : order)
        expected.append(Filmography::Row(TextLines::split(Films[i])));
    expected.append(QStringLiteral("</table border>"));
    QCOMPARE(Filmography::Build(directory, locale), expected);
}

QTEST_GUILESS_MAIN(TestFilmography)
#include "tst_filmography.moc"
