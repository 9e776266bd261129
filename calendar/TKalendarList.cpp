#include "TKalendarList.h"

#include <cstdlib>
#include <utility>

namespace {

qint32 keyOf(const TKalendarRecord &r, TKalendarList::SortKey key)
{
    switch (key) {
    case TKalendarList::ByCategory:
        return r.Category;
    case TKalendarList::ByType:
        return r.EventType;
    case TKalendarList::ByYear:
        break;
    }
    return r.Year;
}

} // namespace

bool TKalendarList::GetRecord(int position, TKalendarRecord &record) const
{
    if (position < 0 || position >= Count())
        return false;
    record = m_records[size_t(position)];
    return true;
}

void TKalendarList::SortBy(SortKey key)
{
    const int n = Count();
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i < n; ++i) {
            for (int j = i - gap; j >= 0; j -= gap) {
                TKalendarRecord &p = m_records[size_t(j)];
                TKalendarRecord &q = m_records[size_t(j + gap)];
                const qint32 kp = keyOf(p, key);
                const qint32 kq = keyOf(q, key);
                if (kp < kq || (kp == kq && q.Year >= p.Year))
                    break;
                std::swap(p, q);
            }
        }
    }
}

int TKalendarList::FindNearest(FindMode mode, int year, int filter) const
{
    qint64 best = 9999;
    int result = -1;
    for (int i = 0; i < Count() && best != 0; ++i) {
        const TKalendarRecord &r = m_records[size_t(i)];
        if ((mode == InCategory && r.Category != filter) ||
            (mode == OfType && r.EventType != filter))
            continue;
        const qint64 distance = std::abs(qint64(r.Year) - year);
        if (distance < best) {
            best = distance;
            result = i;
        }
    }
    return result;
}
