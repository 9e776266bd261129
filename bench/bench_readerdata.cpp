// bench_readerdata: times the reader's own data store on a file in a temporary folder.
//
//   bench_readerdata [CHANGES]      (default: 2000)
//
// Figures, each the mean over CHANGES:
//   record        ReaderHistory::record(), one transaction each
//   bookmark_add  Bookmarks::add() of a new document, one transaction each
//   recent_20     ReaderHistory::recent(20) over the CHANGES entries recorded (no floor)
// The floor of the two changes is one plain prepared INSERT in its own transaction, through
// the SQLite C API on a file opened with the store's settings (WAL, synchronous=NORMAL).
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "Bookmarks.h"
#include "ReaderHistory.h"
#include "ReaderStore.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

double microseconds(const QElapsedTimer &timer, int count)
{
    return double(timer.nsecsElapsed()) / 1e3 / count;
}

double plainInsert(const QString &path, int count)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;"
                 "CREATE TABLE t(id INTEGER PRIMARY KEY, typ TEXT, numer TEXT, caption TEXT)",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t(typ, numer, caption) VALUES('_19701', ?, 'Pan Tadeusz')",
                       -1, &insert, nullptr);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_int(insert, 1, i);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    const double mean = microseconds(timer, count);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return mean;
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    QTemporaryDir dir;
    const double floor = plainInsert(dir.filePath(u"plain.sqlite"_s), count);

    ReaderStore store(dir.filePath(u"czytelnik.sqlite"_s));
    ReaderHistory history(store);
    Bookmarks bookmarks(store);
    const QDateTime now = QDateTime::currentDateTime();

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        history.record({0, u"_19701"_s, QString::number(i % 500), u"Pan Tadeusz"_s, now, 1});
    bench::report("record", "us", microseconds(timer, count), floor);

    timer.start();
    for (int i = 0; i < count; ++i)
        bookmarks.add(u"_19701"_s, QString::number(i), u"Pan Tadeusz"_s);
    bench::report("bookmark_add", "us", microseconds(timer, count), floor);

    timer.start();
    for (int i = 0; i < count; ++i)
        history.recent(20);
    bench::report("recent_20", "us", microseconds(timer, count), 0);
    return 0;
}
