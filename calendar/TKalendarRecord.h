#pragma once

#include <QString>

// One event of the calendar: the three numbers its bar is sorted and filtered by, and the
// entry it is read from.
struct TKalendarRecord
{
    qint32 Year = 0;
    qint32 Category = 0;
    qint32 EventType = 0;
    QString Numer;
    QString Typ;
};
