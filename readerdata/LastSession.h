#pragma once

#include <QList>
#include <QRect>
#include <QString>

class ReaderStore;

// One document window as the reader left it.
struct SessionWindow
{
    QString typ;
    QString numer;
    QRect geometry;
    bool maximised = false;
    bool active = false;
    int scroll = 0;

    bool operator==(const SessionWindow &) const = default;
};

// The windows open when the program last closed, for reopening them. Failures of the
// database throw SqliteDatabase::Error.
class LastSession
{
public:
    explicit LastSession(ReaderStore &store) : m_store(store) {}

    // Replaces the saved session with these windows, in this order, in one transaction.
    void save(const QList<SessionWindow> &windows);
    QList<SessionWindow> load() const;

private:
    ReaderStore &m_store;
};
