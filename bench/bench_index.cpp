// bench_index: times the Index's works list on synthetic categories, offscreen.
//
//   bench_index [ROWS...]      (default: 10000 100000)
//
// Figures per size:
//   fill_list       FillList of the works list (floor: the same ReadFields calls alone)
//   type_ahead      one typed character that finds its row in the sort column, the worst
//                   case of a search from the first row to the last
//   memory_rows     resident memory the filled list takes
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ContainerWriter.h"
#include "Cp1250.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "TIndexListModel.h"
#include "TIndexListPage.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void writeWorks(const QString &path, int rows)
{
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < rows; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        index.add(QByteArray::number(i).rightJustified(32, '0'), "_19701", numer);
        // Titles spread over the alphabet; the last row alone starts with "Ż".
        const QString title =
            i == rows - 1 ? QStringLiteral("Żywot człowieka poczciwego")
                          : QStringLiteral("%1 tytuł dzieła %2").arg(QChar(u'A' + i % 20)).arg(i);
        entries.append(
            {"L197\\TypX\\_19701\\" + numer + "\\Pola",
             Cp1250::encode(
                 QStringLiteral("Tytuł=%1\nAutor=Autor %2\nEpoka=Romantyzm\nGatunek=Powieść\n"
                                "Lead=Krótki opis treści utworu\n_19702=%2")
                     .arg(title)
                     .arg(i % 500))});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    writer.write(path);
}

void measure(int rows)
{
    ProgramFixture program;
    program.openData([rows](const QString &path) { writeWorks(path, rows); });
    program.startWithIndex(nullptr, bench::WindowSize);
    TfrmIndeks *index = program.index();
    index->pcIndeks()->setCurrentIndex(TfrmIndeks::tsStart);
    TIndexListPage *works = index->ListPage(TfrmIndeks::tsDziela);

    // Memory first, on the first fill.
    const double before = bench::residentMegabytes();
    works->FillList();
    const double memory = bench::residentMegabytes() - before;

    std::vector<double> fill, floor;
    const int runs = rows >= 100000 ? 3 : 7;
    TPSSDirectory &directory = *program.data().directory();
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        works->FillList();
        fill.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.restart();
        QStringList fields;
        for (const QString &numer : directory.ListNumbers(QStringLiteral("_19701")))
            directory.ReadFields(QStringLiteral("_19701"), numer, fields);
        floor.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("fill_list", rows, "ms", bench::median(fill), bench::median(floor));

    // Finding by typing: from the first row, "Ż" is found only in the last.
    QTreeView *list = works->List();
    TIndexListModel *model = works->Model();
    model->sort(0, Qt::DescendingOrder); // "Ż" sorts first...
    model->sort(0, Qt::AscendingOrder);  // ...and here last
    std::vector<double> steps;
    for (int r = 0; r < 9; ++r) {
        list->setCurrentIndex(model->index(0, 0));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Ż"));
        qint64 t = 100000 * (r + 1);
        works->SetClock([t] { return t; });
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(list, &key);
        steps.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("type_ahead", rows, "ms", bench::median(steps), 0);
    bench::report("memory_rows", rows, "MB", memory, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, atoi(argv[i])));
    if (sizes.empty())
        sizes = {10000, 100000};
    for (int rows : sizes)
        measure(rows);
    return 0;
}
