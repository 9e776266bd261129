#pragma once

#include <QString>

// What the download's progress window shows: a percentage that only ever moves forward, and
// the byte counts with a "," between groups of three digits.
class DownloadProgress
{
public:
    // Takes the new counts; false when nothing shown changes.
    bool Update(qint64 received, qint64 total);

    int Percent() const { return m_percent; }
    QString Text() const;

    static QString Grouped(qint64 value);

private:
    qint64 m_received = 0;
    qint64 m_total = 0;
    int m_percent = 0;
};
