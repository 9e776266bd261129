// bench_documents: times opening a document window and measures what open windows cost.
//
//   bench_documents [RUNS]
//
// A synthetic works entry with nine related buttons of 20 links each and 20 thumbnails is
// opened through the dispatcher, offscreen. Figures:
//   open_works      from OpenDocument to the loaded window (floor: the same content reads)
//   memory_window   resident memory per works window with twelve open
//   banner_idle_cpu CPU of the program, idle, with one works window and its banner running
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ContainerWriter.h"
#include "MessageBoxes.h"
#include "PictureFixture.h"
#include "ProgramFixture.h"
#include "TPSSDirectory.h"
#include "TfrmWzorBazowy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using fixture::cp;

namespace {

const char *const Related[] = {"_19701", "_19702", "_19703", "_19714", "_19704",
                               "_19706", "_19720", "_19721", "_19799"};
const char *const CaptionOf[] = {"Tytuł",        "Autor",  "Epoka", "Rodzaj", "Gatunek",
                                 "Fagment_disp", "Źródło", "Tytuł", "Nazwa"};
constexpr int LinksPerButton = 20;
constexpr int Thumbnails = 20;
constexpr int Works = 13;

void writeContainer(const QString &path)
{
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> entries;
    int serial = 0;
    const auto item = [&](const char *typ, const QByteArray &numer, const QString &fields) {
        index.add(fixture::unid(++serial), typ, numer);
        entries.append({"L197\\TypX\\" + QByteArray(typ) + '\\' + numer + "\\Pola", cp(fields)});
    };
    QString relations;
    for (int r = 0; r < 9; ++r) {
        QStringList numbers;
        for (int i = 1; i <= LinksPerButton; ++i) {
            const QByteArray numer = QByteArray::number(100 + i);
            numbers.append(QString::fromLatin1(numer));
            item(Related[r], numer,
                 QString::fromUtf8(CaptionOf[r]) +
                     QStringLiteral("=Pozycja powiązana numer %1 z długim tytułem").arg(i));
        }
        relations += QLatin1String(Related[r]) + u'=' + numbers.join(u';') + u'\n';
    }
    QStringList pictures;
    const QByteArray thumb = fixture::picture("BMP", QSize(96, 72), QColor(120, 80, 40));
    for (int i = 1; i <= Thumbnails; ++i) {
        const QByteArray numer = QByteArray::number(i);
        pictures.append(QString::fromLatin1(numer));
        item("_19711", numer, QStringLiteral("Tytuł=Ilustracja %1\nNumer=%1").arg(i));
        entries.append({"_19711\\" + numer + "\\THUMB", thumb});
    }
    QString text;
    for (int p = 0; p < 40; ++p)
        text += QStringLiteral(
            "<p>Litwo! Ojczyzno moja! ty jesteś jak zdrowie. Ile cię trzeba cenić, ten tylko się "
            "dowie, kto cię stracił. Dziś piękność twą w całej ozdobie widzę i opisuję.</p>\r\n");
    for (int w = 1; w <= Works; ++w) {
        const QByteArray numer = "W" + QByteArray::number(w);
        item("_19701", numer,
             QStringLiteral(
                 "Tytuł=Pan Tadeusz %1\nAutor=Adam Mickiewicz\nLead=Ostatni zajazd na Litwie\n"
                 "I_wyd_miejsce=Paryż\nI_wyd_data=1834\n")
                     .arg(w) +
                 relations + QStringLiteral("_19711=") + pictures.join(u';'));
        entries.append({"_19701\\" + numer, cp(text)});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    writer.write(path);
}

// Runs the event loop for a while, as an idle program does.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    qputenv("VERBARIUM_AUDIO_OUT", "test:");

    ProgramFixture program;
    if (!program.openData(&writeContainer))
        return 2;
    TPulpit::Environment environment;
    environment.soundAvailable = false;
    TPulpit &pulpit = program.startPulpit(environment);
    TData &data = program.data();
    pulpit.resize(bench::WindowSize);
    pulpit.show();
    settle(200);

    // Opening: each run opens a work and closes it again.
    std::vector<double> open, floor;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        pulpit.OpenDocument(QStringLiteral("_19701"), QStringLiteral("W1"));
        open.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (TfrmWzorBazowy *window = pulpit.ActiveChild())
            window->parentWidget()->close();
        settle(20);

        // The floor: the same content read without any window.
        timer.restart();
        TPSSDirectory &directory = *data.directory();
        QStringList lines;
        directory.ReadFields(QStringLiteral("_19701"), QStringLiteral("W1"), lines);
        for (const char *typ : Related)
            for (int n = 1; n <= LinksPerButton; ++n)
                directory.ReadFields(QLatin1String(typ), QString::number(100 + n), lines);
        for (int n = 1; n <= Thumbnails; ++n) {
            QByteArray picture;
            directory.ReadPicture(QStringLiteral("_19711"), QString::number(n), true, picture);
            directory.ReadFields(QStringLiteral("_19711"), QString::number(n), lines);
        }
        directory.ReadText(QStringLiteral("_19701"), QStringLiteral("W1"), lines);
        floor.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("open_works", "ms", bench::median(open), bench::median(floor));

    // Memory: twelve works windows, the limit's default.
    settle(100);
    const double before = bench::residentMegabytes();
    for (int w = 1; w <= 12; ++w)
        pulpit.OpenDocument(QStringLiteral("_19701"), QStringLiteral("W%1").arg(w));
    settle(300);
    const double perWindow = (bench::residentMegabytes() - before) / 12;
    bench::report("memory_window", "MB", perWindow, 0);

    // Idle with banners: the last window stays, the others go.
    for (TfrmWzorBazowy *window : pulpit.ChildWindows()) {
        if (window != pulpit.ActiveChild())
            window->parentWidget()->close();
    }
    settle(300);
    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    settle(5000);
    const double share =
        (bench::cpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9) * 100;
    for (TfrmWzorBazowy *window : pulpit.ChildWindows())
        window->parentWidget()->close();
    settle(100);
    const double idleBefore = bench::cpuSeconds();
    wall.restart();
    settle(5000);
    const double idleShare =
        (bench::cpuSeconds() - idleBefore) / (double(wall.nsecsElapsed()) / 1e9) * 100;
    bench::report("banner_idle_cpu", "%", share, idleShare);
    return 0;
}
