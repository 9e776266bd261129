// bench_winhelp: times opening a 2 MB help file and showing the pop-up of a context number.
//
//   bench_winhelp [RUNS]
//
// A help file of about 2 MB (LZ77 and phrase compression, a few thousand topics) is written
// by our writer, then, offscreen, each run opens it with a fresh HelpFile and shows the
// pop-up of a context number near its end. Figure:
//   open_and_popup  from the request to the pop-up laid out (floor: reading the file's bytes)
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "HelpFileWriter.h"
#include "HelpPopup.h"
#include "HelpSystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString topicText(int i)
{
    static const QStringList words{QStringLiteral("Verbarium"),  QStringLiteral("encyklopedia"),
                                   QStringLiteral("literatura"), QStringLiteral("poezja"),
                                   QStringLiteral("romantyzm"),  QStringLiteral("pozytywizm"),
                                   QStringLiteral("dramat"),     QStringLiteral("powieść")};
    quint32 state = quint32(i) * 2654435761u + 7;
    QStringList text;
    for (int w = 0; w < 120; ++w) {
        state = state * 1103515245u + 12345u;
        text.append(words.at((state >> 16) % words.size()) + QString::number((state >> 4) % 1000));
    }
    return text.join(QLatin1Char(' '));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VERB97.HLP"));
    const auto build = [](int count) {
        HelpFileWriter writer({});
        writer.setTitle(QStringLiteral("Pomoc"));
        for (int i = 0; i < count; ++i) {
            HelpTopicBuilder &topic = writer.addTopic(QStringLiteral("Temat %1").arg(i),
                                                      {"t" + QByteArray::number(i)}, {4000 + i});
            topic.text(topicText(i));
            topic.endParagraph();
            topic.text(topicText(i + 1));
            topic.endParagraph();
        }
        return writer.build();
    };
    // A sample tells how many topics make 2 MB.
    const int topics = int(200.0 * 2 * 1024 * 1024 / double(build(200).size()));
    const QByteArray bytes = build(topics);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return 1;
    out.close();

    std::vector<double> floor;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != bytes.size())
            return 1;
        floor.push_back(timer.nsecsElapsed() / 1e6);

        HelpFile help(nullptr, path);
        timer.restart();
        help.showPopup(4000 + topics - 2);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (!help.popup() || !help.popup()->text().startsWith(topicText(topics - 2).left(20)))
            return 1;
    }
    const double f = bench::median(floor);
    const double t = bench::median(times);
    std::printf("file: %.2f MB, %d topics\n", bytes.size() / 1048576.0, topics);
    bench::report("open_and_popup", "ms", t, f);
    return 0;
}
