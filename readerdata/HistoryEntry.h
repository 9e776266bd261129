#pragma once

#include <QDateTime>
#include <QString>

// One place the reader has seen: which document (typ, numer), under what caption, when and in
// which window.
struct HistoryEntry
{
    qint64 id = 0; // given by the store; 0 for an entry not recorded yet
    QString typ;
    QString numer;
    QString caption;
    QDateTime time;
    int windowId = 0;

    bool samePlace(const HistoryEntry &other) const
    {
        return typ == other.typ && numer == other.numer;
    }
};
