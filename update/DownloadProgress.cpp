#include "DownloadProgress.h"

#include <algorithm>

bool DownloadProgress::Update(qint64 received, qint64 total)
{
    received = std::max<qint64>(received, 0);
    total = std::max<qint64>(total, 0);
    const int percent = total > 0 ? int(std::min<qint64>(received * 100 / total, 100)) : m_percent;
    const bool changed = received != m_received || total != m_total || percent > m_percent;
    m_received = received;
    m_total = total;
    m_percent = std::max(m_percent, percent);
    return changed;
}

QString DownloadProgress::Text() const
{
    return QStringLiteral("%1 z %2 odebranych bajtów.").arg(Grouped(m_received), Grouped(m_total));
}

QString DownloadProgress::Grouped(qint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}
