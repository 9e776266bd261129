#include "CalendarEvents.h"
#include "ContainerFixture.h"
#include "TKalendarList.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QTest>

using namespace fixture;

namespace {

QByteArray pola(const QByteArray &numer)
{
    return "L197\\TypX\\_19708\\" + numer + "\\Pola";
}

QString describe(const TKalendarList &list)
{
    QStringList out;
    TKalendarRecord r;
    for (int i = 0; i < list.Count(); ++i) {
        list.GetRecord(i, r);
        out.append(QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(r.Year)
                       .arg(r.Category)
                       .arg(r.EventType)
                       .arg(r.Numer, r.Typ));
    }
    return out.join(u'|');
}

} // namespace

class TestCalendarEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsInDirectoryOrderLeavingOutUnreadableEvents();
    void oneDamagedEventLeavesTheRestInOrder();
    void sortLoaded_data();
    void sortLoaded();
    void barText_data();
    void barText();
};

void TestCalendarEvents::loadsInDirectoryOrderLeavingOutUnreadableEvents()
{
    TPSSDirectory directory(std::make_unique<TSimplePSS>(
        container({{"L197\\UnidX", itemIndex({{"u1", "_19708", "20"},
                                              {"u2", "_19708", "3"},
                                              {"u3", "_19701", "1"},
                                              {"u4", "_19708", "7"},
                                              {"u5", "_19708", "8"},
                                              {"u6", "_19708", "9"},
                                              {"u7", "_19708", "10"}})},
                   {pola("20"), "Rok=1834\r\nKategoria=6\r\nTyp_wydarzenia=1\r\n"},
                   // No field list at all.
                   {pola("3x"), "Rok=1900"},
                   {"L197\\TypX\\_19701\\1\\Pola", "Rok=1500"},
                   // Empty values count as 0.
                   {pola("7"), "Rok=\r\nKategoria=\r\nWydarzenie bis=Bez daty"},
                   // Values that are not decimal numbers.
                   {pola("8"), "Rok=około 1500\r\nKategoria=6\r\nTyp_wydarzenia=1"},
                   {pola("9"), "Rok=1500\r\nKategoria=\r\nTyp_wydarzenia=1a"},
                   {pola("10"), "ROK=-50\r\nkategoria=16\r\nTyp_wydarzenia=4\r\nRok=1"},
                   // A field list of an event the item index does not hold.
                   {pola("11"), "Rok=1700"}}),
        QStringLiteral("mem")));

    TKalendarList list;
    list.Add({1, 1, 1, QStringLiteral("old"), CalendarEvents::Typ});
    CalendarEvents::Load(directory, list);
    QCOMPARE(describe(list),
             QStringLiteral("1834 6 1 20 _19708|0 0 0 7 _19708|-50 16 4 10 _19708"));
}

// A damaged event loaded as year 0 would stand first in every order; left out, it hides nothing.
void TestCalendarEvents::oneDamagedEventLeavesTheRestInOrder()
{
    TPSSDirectory directory(std::make_unique<TSimplePSS>(
        container(
            {{"L197\\UnidX",
              itemIndex({{"u1", "_19708", "1"}, {"u2", "_19708", "2"}, {"u3", "_19708", "3"}})},
             {pola("1"), "Rok=1901\r\nKategoria=10\r\nTyp_wydarzenia=1"},
             {pola("3"), "Rok=1580\r\nKategoria=6\r\nTyp_wydarzenia=1"}}),
        QStringLiteral("mem")));
    TKalendarList list;
    CalendarEvents::Load(directory, list);
    CalendarEvents::SortLoaded(list, CalendarEvents::Chronologicznie);
    QCOMPARE(describe(list), QStringLiteral("1580 6 1 3 _19708|1901 10 1 1 _19708"));
    QCOMPARE(list.FindNearest(TKalendarList::AnyEvent, 0), 0);
}

void TestCalendarEvents::sortLoaded_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("order");

    // Load order 1..5: 1900 c2 t1, 1800 c1 t3, 1900 c1 t1, 1700 c2 t3, 1800 c1 t3. Worked by hand.
    QTest::newRow("Chronologicznie")
        << int(CalendarEvents::Chronologicznie) << QStringLiteral("4 5 2 1 3");
    QTest::newRow("Kategoriami") << int(CalendarEvents::Kategoriami) << QStringLiteral("2 5 3 4 1");
    QTest::newRow("Typem") << int(CalendarEvents::Typem) << QStringLiteral("3 1 4 5 2");
}

void TestCalendarEvents::sortLoaded()
{
    QFETCH(int, button);
    QFETCH(QString, order);

    const int events[][3] = {{1900, 2, 1}, {1800, 1, 3}, {1900, 1, 1}, {1700, 2, 3}, {1800, 1, 3}};
    TKalendarList list;
    int numer = 0;
    for (const auto &e : events)
        list.Add({e[0], e[1], e[2], QString::number(++numer), CalendarEvents::Typ});
    CalendarEvents::SortLoaded(list, CalendarEvents::SortButton(button));
    QStringList numbers;
    TKalendarRecord r;
    for (int i = 0; i < list.Count(); ++i) {
        list.GetRecord(i, r);
        numbers.append(r.Numer);
    }
    QCOMPARE(numbers.join(u' '), order);
}

void TestCalendarEvents::barText_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");

    const QString event = QStringLiteral("Wydarzenie bis=„Pan Tadeusz”");
    QTest::newRow("author and information")
        << QStringList{event, QStringLiteral("Autor=Adam Mickiewicz"),
                       QStringLiteral("Dodatkowe_informacje=Paryż")}
        << QStringLiteral("„Pan Tadeusz”; Adam Mickiewicz; Paryż");
    QTest::newRow("no author, no information")
        << QStringList{event, QStringLiteral("Autor=- "), QStringLiteral("Dodatkowe_informacje=")}
        << QStringLiteral("„Pan Tadeusz”");
    QTest::newRow("no author, information")
        << QStringList{QStringLiteral("autor=- "), QStringLiteral("DODATKOWE_INFORMACJE=1834"),
                       event}
        << QStringLiteral("„Pan Tadeusz”; 1834");
    QTest::newRow("absent author still joins")
        << QStringList{event} << QStringLiteral("„Pan Tadeusz”; ");
    QTest::newRow("a hyphen without the blank is an author")
        << QStringList{event, QStringLiteral("Autor=-")} << QStringLiteral("„Pan Tadeusz”; -");
    QTest::newRow("no event text") << QStringList{QStringLiteral("Autor=Jan Matejko"),
                                                  QStringLiteral("Dodatkowe_informacje=olej")}
                                   << QStringLiteral("; Jan Matejko; olej");
}

void TestCalendarEvents::barText()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QCOMPARE(CalendarEvents::BarText(fields), text);
}

QTEST_GUILESS_MAIN(TestCalendarEvents)
#include "tst_calendarevents.moc"
