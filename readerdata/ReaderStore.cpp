#include "ReaderStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

#include <sqlite3.h>

#include <string>

using namespace Qt::StringLiterals;

namespace {

// Written by a later version of the program: readable, perhaps, but not ours to change.
struct NewerSchema
{
};

// Each step takes the schema from the version before it to its own (index + 1).
const char *const Migrations[] = {
    "CREATE TABLE history(id INTEGER PRIMARY KEY AUTOINCREMENT, typ TEXT NOT NULL,"
    " numer TEXT NOT NULL, caption TEXT NOT NULL, folded TEXT NOT NULL, time INTEGER NOT NULL,"
    " window INTEGER NOT NULL);"
    "CREATE TABLE bookmark_folders(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
    " position INTEGER NOT NULL);"
    "CREATE TABLE bookmarks(id INTEGER PRIMARY KEY, typ TEXT NOT NULL, numer TEXT NOT NULL,"
    " caption TEXT NOT NULL, note TEXT NOT NULL, folder INTEGER NOT NULL,"
    " position INTEGER NOT NULL, UNIQUE(typ, numer));"
    "CREATE INDEX bookmarks_order ON bookmarks(folder, position);"
    "CREATE TABLE session_windows(position INTEGER PRIMARY KEY, typ TEXT NOT NULL,"
    " numer TEXT NOT NULL, x INTEGER NOT NULL, y INTEGER NOT NULL, width INTEGER NOT NULL,"
    " height INTEGER NOT NULL, maximised INTEGER NOT NULL, active INTEGER NOT NULL,"
    " scroll INTEGER NOT NULL);",
};
static_assert(std::size(Migrations) == ReaderStore::SchemaVersion);

qint64 pragma(SqliteDatabase &db, const char *sql)
{
    SqliteDatabase::Statement statement(db, sql);
    return statement.step() ? statement.integer(0) : 0;
}

// Runs `change` as one transaction. IMMEDIATE takes the write lock first, so a read inside the
// change never has to be upgraded while the other copy of the program writes.
void transaction(SqliteDatabase &db, const std::function<void()> &change)
{
    db.exec("BEGIN IMMEDIATE");
    try {
        change();
        db.exec("COMMIT");
    } catch (...) {
        try {
            db.exec("ROLLBACK");
        } catch (const SqliteDatabase::Error &) {
            // SQLite has rolled back by itself already.
        }
        throw;
    }
}

// Whether SQLite cannot read the file at `path` as a database at all, as opposed to failing for
// a moment because another connection holds it.
bool isDamaged(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        sqlite3_stmt *check = nullptr;
        rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(check);
            if (rc == SQLITE_ROW &&
                qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok") != 0)
                rc = SQLITE_CORRUPT;
        }
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_CANTOPEN;
}

} // namespace

QString ReaderStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           u"/czytelnik.sqlite"_s;
}

ReaderStore::ReaderStore(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Another copy of the program may hold the file for a moment, while it closes it, say: that
    // is worth waiting for, and only a file SQLite cannot read is moved aside.
    QString failure;
    for (int attempt = 0; attempt < 4; ++attempt) {
        try {
            m_db = open(path);
            return;
        } catch (const NewerSchema &) {
            openInMemory(u"Dane czytelnika w %1 zapisała nowsza wersja programu. Pozostają "
                         u"nietknięte, a zmiany z tej sesji nie zostaną zachowane."_s.arg(
                             QDir::toNativeSeparators(path)));
            return;
        } catch (const SqliteDatabase::Error &error) {
            failure = QString::fromUtf8(error.what());
        }
        if (isDamaged(path)) {
            startAfresh(path);
            return;
        }
        QThread::msleep(100 << attempt);
    }
    openInMemory(u"Nie można otworzyć danych czytelnika w %1 (%2). Zmiany z tej sesji nie "
                 u"zostaną zachowane."_s.arg(QDir::toNativeSeparators(path), failure));
}

void ReaderStore::startAfresh(const QString &path)
{
    m_movedTo = moveAside(path);
    if (m_movedTo.isEmpty()) {
        openInMemory(u"Nie można odczytać danych czytelnika (historii, zakładek, ostatniej "
                     u"sesji) z %1 ani przenieść ich w bezpieczne miejsce. Zmiany z tej sesji "
                     u"nie zostaną zachowane."_s.arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_problem = u"Dane czytelnika (historia, zakładki, ostatnia sesja) były uszkodzone. "
                u"Uszkodzony plik przeniesiono do %1, a program zaczyna z pustymi danymi."_s.arg(
                    QDir::toNativeSeparators(m_movedTo));
    try {
        m_db = open(path);
    } catch (const SqliteDatabase::Error &error) {
        openInMemory(m_problem +
                     u" Nowego pliku nie można utworzyć (%1), więc zmiany z tej "
                     u"sesji nie zostaną zachowane."_s.arg(QString::fromUtf8(error.what())));
    }
}

std::unique_ptr<SqliteDatabase> ReaderStore::open(const QString &path)
{
    auto db = std::make_unique<SqliteDatabase>(path, SqliteDatabase::Mode::Create);
    // Waiting for the other copy of the program is better than failing its reader's change.
    db->exec("PRAGMA busy_timeout = 5000");
    db->exec("PRAGMA journal_mode = WAL");
    // In WAL mode NORMAL survives any crash of the program without losing a commit; only a
    // power cut may lose the last commits, never the file. FULL would add a sync to every page
    // the reader turns, which is not worth a history entry.
    db->exec("PRAGMA synchronous = NORMAL");
    SqliteDatabase::Statement check(*db, "PRAGMA quick_check");
    if (!check.step() || check.text(0) != u"ok"_s)
        throw SqliteDatabase::Error(u"quick_check"_s);
    migrate(*db);
    return db;
}

void ReaderStore::migrate(SqliteDatabase &db)
{
    // Under the write lock, so that two copies starting together do not both migrate.
    transaction(db, [&db] {
        const qint64 version = pragma(db, "PRAGMA user_version");
        if (version > SchemaVersion)
            throw NewerSchema();
        for (qint64 step = version; step < SchemaVersion; ++step)
            db.exec(Migrations[step]);
        if (version < SchemaVersion)
            db.exec(("PRAGMA user_version = " + std::to_string(SchemaVersion)).c_str());
    });
}

QString ReaderStore::moveAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString target = path + u".uszkodzony-"_s + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + u".uszkodzony-"_s + stamp + u'-' + QString::number(n);
    if (!QDir().rename(path, target))
        return {};
    // The journal belongs to the damaged file; left here it could be replayed into the new one.
    for (const QString &suffix : {u"-wal"_s, u"-shm"_s}) {
        if (QFileInfo::exists(path + suffix))
            QDir().rename(path + suffix, target + suffix);
    }
    return target;
}

void ReaderStore::openInMemory(const QString &problem)
{
    m_problem = problem;
    m_db = std::make_unique<SqliteDatabase>(u":memory:"_s, SqliteDatabase::Mode::Create);
    migrate(*m_db);
}

void ReaderStore::write(const std::function<void()> &change)
{
    // A change made of others is still one transaction: the outermost one.
    if (m_writing) {
        change();
        return;
    }
    m_writing = true;
    const auto done = qScopeGuard([this] { m_writing = false; });
    transaction(*m_db, change);
}
