#pragma once

#include "SqliteDatabase.h"

#include <QString>

#include <functional>
#include <memory>

// The file that keeps the reader's own data (history, bookmarks, the last session). It is opened
// in WAL mode with a busy timeout, so that two running copies of the program can share it, and
// every change is one transaction, so that a crash loses at most the change it interrupted.
// A file that cannot be read is moved aside, never deleted, and the store starts empty; a file
// that cannot be written at all leaves the store in memory for this run. Either way problem()
// says so, in words for the reader.
class ReaderStore
{
public:
    // The schema this program writes; a file's PRAGMA user_version below it is migrated.
    static constexpr int SchemaVersion = 1;

    // Where the program keeps the store: czytelnik.sqlite in the user's data folder.
    static QString defaultPath();

    explicit ReaderStore(const QString &path);

    // Empty when the file opened as it was; otherwise what happened to it.
    QString problem() const { return m_problem; }
    // Where a damaged file was moved; empty when nothing was.
    QString movedTo() const { return m_movedTo; }

    SqliteDatabase &database() { return *m_db; }

    // Runs `change` as one transaction: all of it is kept or, when it throws, none of it.
    // A write inside `change` joins its transaction.
    // Failures of the database throw SqliteDatabase::Error.
    void write(const std::function<void()> &change);

private:
    static std::unique_ptr<SqliteDatabase> open(const QString &path);
    static void migrate(SqliteDatabase &db);
    void startAfresh(const QString &path);
    static QString moveAside(const QString &path);
    void openInMemory(const QString &problem);

    std::unique_ptr<SqliteDatabase> m_db;
    QString m_problem;
    QString m_movedTo;
    bool m_writing = false;
};
