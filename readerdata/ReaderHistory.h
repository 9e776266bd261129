#pragma once

#include "HistoryEntry.h"

#include <QDate>
#include <QList>

class ReaderStore;

// The places the reader has seen, in the order they were seen, kept in the store. Failures of
// the database throw SqliteDatabase::Error.
class ReaderHistory
{
public:
    struct Day
    {
        QDate date;                  // local time
        QList<HistoryEntry> entries; // newest first
    };

    explicit ReaderHistory(ReaderStore &store) : m_store(store) {}

    // Adds the entry after all others; returns its id.
    qint64 record(const HistoryEntry &entry);

    // Every entry, oldest first.
    QList<HistoryEntry> entries() const;
    // The latest entry of each of the `count` places seen last, newest first: for a menu.
    QList<HistoryEntry> recent(int count) const;
    // Every entry by the day it was seen, the newest day and entry first.
    QList<Day> byDay() const;
    // The entries whose caption contains `text`, compared without regard to case or Polish
    // diacritics, newest first. A blank text matches nothing.
    QList<HistoryEntry> search(const QString &text) const;

    void remove(qint64 id);
    void clear();

private:
    ReaderStore &m_store;
};
