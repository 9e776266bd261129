#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of one SQLite connection and its statements. Every failure throws
// SqliteDatabase::Error with SQLite's own message.
class SqliteDatabase
{
public:
    class Error : public std::runtime_error
    {
    public:
        explicit Error(const QString &message) : std::runtime_error(message.toStdString()) {}
    };

    class Statement
    {
    public:
        Statement(SqliteDatabase &db, const char *sql);
        ~Statement();
        Statement(const Statement &) = delete;
        Statement &operator=(const Statement &) = delete;

        Statement &bind(int index, const QString &text);
        Statement &bind(int index, qint64 value);
        Statement &bind(int index, double value);
        // Steps once: true while a row is there to read.
        bool step();
        // Makes the statement ready to run again with new values.
        void reset();

        QString text(int column) const;
        qint64 integer(int column) const;
        double real(int column) const;

    private:
        SqliteDatabase &m_db;
        sqlite3_stmt *m_stmt = nullptr;
    };

    enum class Mode { ReadOnly, Create };
    SqliteDatabase(const QString &path, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    void exec(const char *sql);
    [[noreturn]] void fail() const;

private:
    sqlite3 *m_db = nullptr;
};
