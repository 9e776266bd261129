#pragma once

#include "VolumeList.h"

#include <QList>

#include <bitset>

// A snapshot of the drives of the accepted types (CD-ROM only unless told otherwise), to tell
// when the volume in one of them changes.
class PVolumeList
{
public:
    explicit PVolumeList(const VolumeList &source,
                         std::bitset<8> filter = std::bitset<8>(1u << TVolumeRecord::CdRom));

    // Queries every drive again and keeps those of an accepted type.
    void Refresh();
    // Queries each kept drive in list order; at the first whose serial differs from the one
    // stored, the stored record is replaced (the new one goes to the end of the list) and
    // returned. Null when nothing changed. A drive that appeared since the last refresh is
    // not looked at.
    const TVolumeRecord *DetectChange();

    const QList<TVolumeRecord> &records() const { return m_records; }

private:
    const VolumeList &m_source;
    std::bitset<8> m_filter;
    QList<TVolumeRecord> m_records;
};
