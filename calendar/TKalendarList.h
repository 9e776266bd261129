#pragma once

#include "TKalendarRecord.h"

#include <vector>

// The calendar's events in the order of the strip, with the Shell sort and the nearest-year
// search the page works with. Positions are 0-based.
class TKalendarList
{
public:
    enum SortKey { ByYear = 0, ByCategory = 1, ByType = 2 };
    enum FindMode { AnyEvent = 0, InCategory = 1, OfType = 2 };

    void Clear() { m_records.clear(); }
    int Count() const { return int(m_records.size()); }
    void Add(const TKalendarRecord &record) { m_records.push_back(record); }
    // Copies the record at `position` into `record`; outside the list `record` is left as it
    // was and the result is false.
    bool GetRecord(int position, TKalendarRecord &record) const;

    // Ascending by the key and, within one key, by year. Equal keys and years end in the order
    // this exchange sort leaves them, which a stable or library sort would not reproduce.
    void SortBy(SortKey key);

    // The position of the event whose year is nearest to `year`, the earlier one on a tie,
    // among all events or only those of category or type `filter`; -1 when none takes part
    // or none lies within 9998 years.
    int FindNearest(FindMode mode, int year, int filter = 0) const;

private:
    std::vector<TKalendarRecord> m_records;
};
