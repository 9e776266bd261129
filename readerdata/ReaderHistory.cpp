#include "ReaderHistory.h"

#include "ReaderStore.h"
#include "SearchFolding.h"

#include <QSet>

namespace {

// The columns every query below reads, in this order.
#define ENTRY_COLUMNS "id, typ, numer, caption, time, window"

HistoryEntry readEntry(const SqliteDatabase::Statement &statement)
{
    return {statement.integer(0),
            statement.text(1),
            statement.text(2),
            statement.text(3),
            QDateTime::fromMSecsSinceEpoch(statement.integer(4)),
            int(statement.integer(5))};
}

QList<HistoryEntry> readEntries(SqliteDatabase::Statement &statement)
{
    QList<HistoryEntry> entries;
    while (statement.step())
        entries.append(readEntry(statement));
    return entries;
}

} // namespace

qint64 ReaderHistory::record(const HistoryEntry &entry)
{
    qint64 id = 0;
    m_store.write([&] {
        SqliteDatabase::Statement insert(
            m_store.database(), "INSERT INTO history(typ, numer, caption, folded, time, window)"
                                " VALUES(?, ?, ?, ?, ?, ?) RETURNING id");
        insert.bind(1, entry.typ)
            .bind(2, entry.numer)
            .bind(3, entry.caption)
            .bind(4, SearchFolding::fold(entry.caption))
            .bind(5, entry.time.toMSecsSinceEpoch())
            .bind(6, qint64(entry.windowId));
        insert.step();
        id = insert.integer(0);
    });
    return id;
}

QList<HistoryEntry> ReaderHistory::entries() const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " ENTRY_COLUMNS " FROM history ORDER BY id");
    return readEntries(select);
}

QList<HistoryEntry> ReaderHistory::recent(int count) const
{
    // Newest first until enough places are found: a menu's worth of rows, as a rule.
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " ENTRY_COLUMNS " FROM history ORDER BY id DESC");
    QList<HistoryEntry> entries;
    QSet<std::pair<QString, QString>> places;
    while (entries.size() < count && select.step()) {
        HistoryEntry entry = readEntry(select);
        if (!places.contains({entry.typ, entry.numer})) {
            places.insert({entry.typ, entry.numer});
            entries.append(std::move(entry));
        }
    }
    return entries;
}

QList<ReaderHistory::Day> ReaderHistory::byDay() const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " ENTRY_COLUMNS " FROM history ORDER BY id DESC");
    QList<Day> days;
    for (const HistoryEntry &entry : readEntries(select)) {
        const QDate date = entry.time.toLocalTime().date();
        if (days.isEmpty() || days.last().date != date)
            days.append({date, {}});
        days.last().entries.append(entry);
    }
    return days;
}

QList<HistoryEntry> ReaderHistory::search(const QString &text) const
{
    const QString folded = SearchFolding::fold(text.trimmed());
    if (folded.isEmpty())
        return {};
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " ENTRY_COLUMNS " FROM history"
                                     " WHERE instr(folded, ?) > 0 ORDER BY id DESC");
    select.bind(1, folded);
    return readEntries(select);
}

void ReaderHistory::remove(qint64 id)
{
    m_store.write([&] {
        SqliteDatabase::Statement(m_store.database(), "DELETE FROM history WHERE id = ?")
            .bind(1, id)
            .step();
    });
}

void ReaderHistory::clear()
{
    m_store.write([&] { m_store.database().exec("DELETE FROM history"); });
}
