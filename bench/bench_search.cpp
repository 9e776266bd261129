// bench_search: times building the search index and querying it on synthetic containers.
//
//   bench_search [ENTRIES...]      (default: 2000 20000)
//
// Figures per size:
//   build          building the index file from the container (floor: reading and decoding
//                  every entry's field list, text and description alone)
//   open_cached   checking the cached index file and opening it (no floor)
//   query_prefix_<kind>           a word being typed, all results ranked (no floor)
//   query_prefix_first100_<kind>  the same, the first 100 results (a page of the list)
//   query_words_<kind>            two whole words, all results ranked
//   query_words_first100_<kind>   the same, the first 100 results
//   suggest_<kind>                the ten best title matches of the word being typed
//   pane_prefix_<kind>, pane_words_<kind>
//                  what the results pane does on Enter: every match found and counted by
//                  category, the first page (200) ranked
// where <kind> is "common" (a word in nearly every entry) or "typical".
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "SearchBenchData.h"
#include "SearchCategories.h"
#include "SearchIndex.h"
#include "SearchIndexBuilder.h"
#include "SearchMatches.h"
#include "TPSSDirectory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Titles = -2; // the ten best title matches instead of a limit
constexpr int Pane = -3;   // the results pane's first page instead of a limit

double readAll(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    TPSSDirectory directory(path);
    QStringList fields, text, description;
    for (int i = 0; i < directory.ItemCount(); ++i) {
        const QString typ = directory.itemAt(i).Typ();
        const QString numer = directory.itemAt(i).Numer();
        directory.ReadFields(typ, numer, fields);
        directory.ReadText(typ, numer, text);
        directory.ReadDescription(typ, numer, description);
    }
    return bench::milliseconds(timer);
}

void measure(int entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Verbarium.dat"_s);
    if (!bench::writeEncyclopedia(path, entries)) {
        std::fprintf(stderr, "bench_search: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    const int runs = entries >= 20000 ? 3 : 5;
    std::vector<double> build, floor;
    for (int r = 0; r < runs; ++r) {
        const QString index = dir.filePath(QStringLiteral("index%1.sqlite").arg(r));
        QElapsedTimer timer;
        timer.start();
        SearchIndexBuilder::ensure(path, index);
        build.push_back(bench::milliseconds(timer));
        floor.push_back(readAll(path));
    }
    bench::report("build", entries, "ms", bench::median(build), bench::median(floor));

    const QString file = dir.filePath(u"index0.sqlite"_s);
    std::vector<double> open;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        if (!SearchIndex::isValid(file, SearchIndexBuilder::containerKey(path)))
            std::exit(1);
        const SearchIndex index(file);
        open.push_back(bench::milliseconds(timer));
    }
    bench::report("open_cached", entries, "ms", bench::median(open), 0);
    std::printf("  (%.1f MB)\n", double(QFileInfo(file).size()) / 1e6);

    const SearchIndex index(file);
    const QStringList words = bench::vocabulary();
    const auto time = [&](const QByteArray &name, const SearchQuery &query, int limit) {
        std::vector<double> times;
        qsizetype found = 0;
        for (int r = 0; r < 31; ++r) {
            QElapsedTimer timer;
            timer.start();
            if (limit == Titles) {
                found = index.titleMatches(query, 10).size();
            } else if (limit == Pane) {
                SearchMatches all = index.matches(query);
                for (int order = 0; order < SearchCategories::count(); ++order)
                    found = all.count({order});
                found = all.results(0, 200).size();
            } else {
                found = index.search(query, limit).size();
            }
            times.push_back(bench::milliseconds(timer));
        }
        bench::report(name.constData(), entries, "ms", bench::median(times), 0);
        std::printf("  (%lld results)\n", qint64(found));
    };
    // A word in nearly every entry, and one of middling frequency.
    for (const auto &[kind, a, b, c] :
         {std::tuple("common", 3, 10, 20), std::tuple("typical", 400, 500, 700)}) {
        const SearchQuery typed(words[a].left(4));
        const SearchQuery two(words[b] + u' ' + words[c] + u' ');
        time(QByteArray("query_prefix_") + kind, typed, -1);
        time(QByteArray("query_prefix_first100_") + kind, typed, 100);
        time(QByteArray("query_words_") + kind, two, -1);
        time(QByteArray("query_words_first100_") + kind, two, 100);
        time(QByteArray("suggest_") + kind, typed, Titles);
        time(QByteArray("pane_prefix_") + kind, typed, Pane);
        time(QByteArray("pane_words_") + kind, two, Pane);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty())
        sizes = {2000, 20000};
    for (int entries : sizes)
        measure(entries);
    return 0;
}
