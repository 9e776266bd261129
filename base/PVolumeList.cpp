#include "PVolumeList.h"

PVolumeList::PVolumeList(const VolumeList &source, std::bitset<8> filter)
    : m_source(source), m_filter(filter)
{
    Refresh();
}

void PVolumeList::Refresh()
{
    m_records.clear();
    for (const QString &drive : m_source.Drives()) {
        TVolumeRecord record = m_source.QueryVolume(drive);
        if (record.DriveType < m_filter.size() && m_filter.test(record.DriveType))
            m_records.append(std::move(record));
    }
}

const TVolumeRecord *PVolumeList::DetectChange()
{
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        TVolumeRecord now = m_source.QueryVolume(m_records[i].Letter);
        if (now.Serial == m_records[i].Serial)
            continue;
        m_records.removeAt(i);
        m_records.append(std::move(now));
        return &m_records.last();
    }
    return nullptr;
}
