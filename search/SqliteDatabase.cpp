#include "SqliteDatabase.h"

#include <sqlite3.h>

SqliteDatabase::SqliteDatabase(const QString &path, Mode mode)
{
    const int flags =
        mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    // NOMUTEX: a connection is only ever used by the thread that opened it.
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        throw Error(message);
    }
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close(m_db);
}

void SqliteDatabase::exec(const char *sql)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

void SqliteDatabase::fail() const
{
    throw Error(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

SqliteDatabase::Statement::Statement(SqliteDatabase &db, const char *sql) : m_db(db)
{
    if (sqlite3_prepare_v2(db.m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        db.fail();
}

SqliteDatabase::Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

SqliteDatabase::Statement &SqliteDatabase::Statement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        m_db.fail();
    return *this;
}

SqliteDatabase::Statement &SqliteDatabase::Statement::bind(int index, qint64 value)
{
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        m_db.fail();
    return *this;
}

SqliteDatabase::Statement &SqliteDatabase::Statement::bind(int index, double value)
{
    if (sqlite3_bind_double(m_stmt, index, value) != SQLITE_OK)
        m_db.fail();
    return *this;
}

bool SqliteDatabase::Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_db.fail();
    return false;
}

void SqliteDatabase::Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

QString SqliteDatabase::Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

qint64 SqliteDatabase::Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteDatabase::Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}
