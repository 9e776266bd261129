// bench_calendar: times loading and sorting the calendar's events on synthetic containers.
//
//   bench_calendar [EVENTS...]      (default: 5000 50000)
//
// Figures per size:
//   load_sort_<order>   loading every event and putting it in the strip's order for that sort
//                       button (floor: the same ReadFields calls alone)
//   sort_<key>          one sort of the loaded events by year, category or type, as a sort
//                       button does on the current order (no floor)
//   view_fill           one fill of a 1280 x 1024 strip from the middle of the chronological
//                       order (floor: the ReadFields calls of the bars it built)
//   view_scroll         one ScrollForward step (floor: one ReadFields call)
//   view_resize         the rebuild after a resize of the strip (floor as view_fill)
//   ..._painted         the same with the strip painted at once (offscreen, raster)
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "CalendarEvents.h"
#include "ContainerWriter.h"
#include "Cp1250.h"
#include "TCalendarBar.h"
#include "TCalendarStrip.h"
#include "TKalendarList.h"
#include "TPSSDirectory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Field lists of the size and shape of real events: years 1000-1997, every category and type.
bool writeEvents(const QString &path, int events)
{
    QRandomGenerator random(1997);
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < events; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        index.add(QByteArray::number(i).rightJustified(32, '0'), "_19708", numer);
        int category = random.bounded(16);
        if (category == 15)
            category = 16;
        const QString fields =
            QStringLiteral(
                "Rok=%1\r\nKategoria=%2\r\nTyp_wydarzenia=%3\r\n"
                "Wydarzenie bis=Prapremiera „Dziadów” w Teatrze Miejskim, wydarzenie %4\r\n"
                "Autor=%5\r\nDodatkowe_informacje=%6\r\n_19701=%7\r\n")
                .arg(1000 + random.bounded(998))
                .arg(category)
                .arg(1 + random.bounded(4))
                .arg(i)
                .arg(i % 3 ? QStringLiteral("Stanisław Wyspiański") : QStringLiteral("- "))
                .arg(i % 2 ? QStringLiteral("reżyseria autora") : QString())
                .arg(i % 10 ? QString() : QString::number(i % 500 + 1));
        entries.append({"L197\\TypX\\_19708\\" + numer + "\\Pola", Cp1250::encode(fields)});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    return writer.write(path);
}

// The container of `events` events in `dir`; the benchmark ends when it cannot be written.
QString writeEventsOrExit(const QTemporaryDir &dir, int events)
{
    const QString path = dir.filePath(QStringLiteral("Verbarium.dat"));
    if (!writeEvents(path, events)) {
        std::fprintf(stderr, "bench_calendar: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path;
}

void measure(int events)
{
    QTemporaryDir dir;
    const QString path = writeEventsOrExit(dir, events);
    TPSSDirectory directory(path);
    const int runs = events >= 50000 ? 5 : 9;

    const struct
    {
        const char *name;
        CalendarEvents::SortButton button;
    } orders[] = {{"chronologicznie", CalendarEvents::Chronologicznie},
                  {"kategoriami", CalendarEvents::Kategoriami},
                  {"typem", CalendarEvents::Typem}};
    TKalendarList list;
    for (const auto &order : orders) {
        std::vector<double> load, floor;
        for (int r = 0; r < runs; ++r) {
            QElapsedTimer timer;
            timer.start();
            CalendarEvents::Load(directory, list);
            CalendarEvents::SortLoaded(list, order.button);
            load.push_back(bench::milliseconds(timer));

            timer.restart();
            QStringList fields;
            for (const QString &numer : directory.ListNumbers(CalendarEvents::Typ))
                directory.ReadFields(CalendarEvents::Typ, numer, fields);
            floor.push_back(bench::milliseconds(timer));
        }
        bench::report((QByteArray("load_sort_") + order.name).constData(), events, "ms",
                      bench::median(load), bench::median(floor));
    }

    const struct
    {
        const char *name;
        TKalendarList::SortKey key;
    } keys[] = {{"year", TKalendarList::ByYear},
                {"category", TKalendarList::ByCategory},
                {"type", TKalendarList::ByType}};
    for (const auto &key : keys) {
        std::vector<double> sort;
        for (int r = 0; r < runs; ++r) {
            CalendarEvents::Load(directory, list);
            QElapsedTimer timer;
            timer.start();
            list.SortBy(key.key);
            sort.push_back(bench::milliseconds(timer));
        }
        bench::report((QByteArray("sort_") + key.name).constData(), events, "ms",
                      bench::median(sort), 0);
    }
}

// The ReadFields calls of `bars` bars from `from` on, as the strip makes them.
double readFloor(TPSSDirectory &directory, const TKalendarList &list, int from, int bars)
{
    QElapsedTimer timer;
    timer.start();
    TKalendarRecord record;
    QStringList fields;
    for (int i = from; i < from + bars; ++i) {
        if (list.GetRecord(i, record))
            directory.ReadFields(record.Typ, record.Numer, fields);
    }
    return bench::milliseconds(timer);
}

void measureView(int events, bool paint)
{
    QTemporaryDir dir;
    const QString path = writeEventsOrExit(dir, events);
    TPSSDirectory directory(path);
    TKalendarList list;
    CalendarEvents::Load(directory, list);
    CalendarEvents::SortLoaded(list, CalendarEvents::Chronologicznie);
    QImage icons(32 * 17, 32, QImage::Format_RGB32);
    icons.fill(Qt::darkBlue);

    TCalendarStrip strip(list);
    strip.SetDirectory(&directory);
    strip.SetDocumentFont(QFont(QStringLiteral("Arial"), 10));
    strip.SetImageList(icons);
    strip.resize(1280, 1024);
    strip.show();
    QCoreApplication::processEvents();
    const int middle = list.Count() / 2;
    constexpr int runs = 21;

    std::vector<double> fill, fillFloor;
    for (int r = 0; r < runs; ++r) {
        strip.SetTopEvent(middle + r);
        QElapsedTimer timer;
        timer.start();
        strip.FillCalendarView();
        if (paint)
            strip.repaint();
        fill.push_back(bench::milliseconds(timer));
        fillFloor.push_back(readFloor(directory, list, middle + r, int(strip.Bars().size())));
    }
    bench::report(paint ? "view_fill_painted" : "view_fill", events, "ms", bench::median(fill),
                  bench::median(fillFloor));

    std::vector<double> scroll, scrollFloor;
    for (int r = 0; r < 200; ++r) {
        QElapsedTimer timer;
        timer.start();
        strip.ScrollForward();
        if (paint)
            strip.repaint();
        scroll.push_back(bench::milliseconds(timer));
        scrollFloor.push_back(readFloor(directory, list, strip.LastEvent(), 1));
    }
    bench::report(paint ? "view_scroll_painted" : "view_scroll", events, "ms",
                  bench::median(scroll), bench::median(scrollFloor));

    std::vector<double> rebuild, rebuildFloor;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        strip.resize(r % 2 ? 1280 : 1270, r % 2 ? 1024 : 1014);
        if (paint)
            strip.repaint();
        rebuild.push_back(bench::milliseconds(timer));
        rebuildFloor.push_back(
            readFloor(directory, list, strip.TopEvent(), int(strip.Bars().size())));
    }
    bench::report(paint ? "view_resize_painted" : "view_resize", events, "ms",
                  bench::median(rebuild), bench::median(rebuildFloor));
}

} // namespace

int main(int argc, char *argv[])
{
    // The strip is measured offscreen unless a screen is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty())
        sizes = {5000, 50000};
    for (int events : sizes) {
        measure(events);
        measureView(events, false);
        measureView(events, true);
    }
    return 0;
}
