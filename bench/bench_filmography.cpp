// bench_filmography: times a visit of the Index's filmography page, offscreen.
//
//   bench_filmography [FILMS...]      (default: 200 2000)
//
// Figures per size:
//   filmography_page   BuildFilmography until the page's HTML view is painted: the table read,
//                      sorted with Polish collation and laid out (floor: the table's lines
//                      alone)
//   filmography_cpu    the same visit in CPU time of the process, steadier on a busy machine
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ContainerWriter.h"
#include "Cp1250.h"
#include "Filmography.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "THTMLViewer.h"
#include "TIndexFilmographyPage.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void writeFilms(const QString &path, int films)
{
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < films; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        index.add(QByteArray::number(i).rightJustified(32, '0'), "_19709", numer);
        // Titles over the alphabet, some repeated in another letter case.
        const QString fields =
            QStringLiteral(
                "Tytuł=%1 film %2\r\nReżyser_imię=Jan\r\nReżyser_nazwisko=Reżyser %3\r\n"
                "Scenariusz_imię=Anna\r\nScenariusz_nazwisko=Scenarzystka\r\nData=19%4\r\n"
                "Dzieło=„Powieść %2” Autora")
                .arg(i % 2 ? QStringLiteral("Ł") : QStringLiteral("l"))
                .arg(films - i)
                .arg(i % 50)
                .arg(10 + i % 90);
        entries.append({"L197\\TypX\\_19709\\" + numer + "\\Pola", Cp1250::encode(fields)});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    writer.write(path);
}

void measure(int films)
{
    ProgramFixture program;
    program.openData([films](const QString &path) { writeFilms(path, films); });
    program.startWithIndex(nullptr, bench::WindowSize);
    TfrmIndeks *index = program.index();
    index->pcIndeks()->setCurrentIndex(TfrmIndeks::tsFilmografia);
    auto *page = qobject_cast<TIndexFilmographyPage *>(index->PageAt(TfrmIndeks::tsFilmografia));

    std::vector<double> visit, floor, visitCpu, floorCpu;
    for (int r = 0; r < 7; ++r) {
        QElapsedTimer timer;
        timer.start();
        double cpu = bench::cpuSeconds();
        page->BuildFilmography();
        page->View()->viewport()->repaint(); // what the reader waits for: the page painted
        visit.push_back(double(timer.nsecsElapsed()) / 1e6);
        visitCpu.push_back((bench::cpuSeconds() - cpu) * 1e3);

        timer.restart();
        cpu = bench::cpuSeconds();
        Filmography::Build(*program.data().directory());
        floor.push_back(double(timer.nsecsElapsed()) / 1e6);
        floorCpu.push_back((bench::cpuSeconds() - cpu) * 1e3);
    }
    const auto report = [films](const char *name, const std::vector<double> &value,
                                const std::vector<double> &floor) {
        bench::report(name, films, "ms", bench::median(value), bench::median(floor));
    };
    report("filmography_page", visit, floor);
    report("filmography_cpu", visitCpu, floorCpu);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, atoi(argv[i])));
    if (sizes.empty())
        sizes = {200, 2000};
    for (int films : sizes)
        measure(films);
    return 0;
}
