#include "ReaderTrail.h"

#include "DocumentDispatcher.h"
#include "SqliteDatabase.h"
#include "TfrmWzorBazowy.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

QString storeFailure(const SqliteDatabase::Error &error)
{
    return u"Nie można zapisać ani odczytać historii czytelnika (%1)."_s.arg(
        QString::fromUtf8(error.what()));
}

} // namespace

ReaderTrail::ReaderTrail(ReaderStore &store, DocumentDispatcher &dispatcher, QObject *parent)
    : QObject(parent), m_dispatcher(dispatcher), m_history(store)
{
    connect(&dispatcher, &DocumentDispatcher::documentShown, this, &ReaderTrail::shown);
}

void ReaderTrail::shown(TfrmWzorBazowy *window)
{
    const HistoryEntry entry{0, window->Typ(), window->Numer(), window->windowTitle(),
                             QDateTime::currentDateTime()};
    // After a step the entry is the path's current place, which a visit leaves as it is.
    m_path.visit(entry);
    Q_EMIT pathChanged();
    try {
        m_history.record(entry);
    } catch (const SqliteDatabase::Error &error) {
        Q_EMIT problem(storeFailure(error));
    }
}

void ReaderTrail::back()
{
    step(m_path.back());
}

void ReaderTrail::forward()
{
    step(m_path.forward());
}

void ReaderTrail::step(const std::optional<HistoryEntry> &entry)
{
    if (!entry)
        return;
    // A window the reader closed meanwhile opens again.
    if (!m_dispatcher.bringToFrontIfOpen(entry->typ, entry->numer))
        m_dispatcher.openDocument(entry->typ, entry->numer);
    Q_EMIT pathChanged();
}

void ReaderTrail::open(const HistoryEntry &entry)
{
    m_dispatcher.openDocument(entry.typ, entry.numer);
}

QList<HistoryEntry> ReaderTrail::recent(int count)
{
    try {
        return m_history.recent(count);
    } catch (const SqliteDatabase::Error &error) {
        Q_EMIT problem(storeFailure(error));
        return {};
    }
}

bool ReaderTrail::isOpen(const HistoryEntry &entry) const
{
    TFormRecord record;
    for (int i = 0; m_dispatcher.openWindows().GetAt(i, record); ++i) {
        if (record.Typ == entry.typ && record.Numer == entry.numer)
            return true;
    }
    return false;
}
