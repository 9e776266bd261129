#include "ReaderPath.h"

void ReaderPath::visit(const HistoryEntry &entry)
{
    if (m_current >= 0 && m_entries[m_current].samePlace(entry))
        return;
    m_entries.resize(m_current + 1);
    m_entries.append(entry);
    ++m_current;
}

std::optional<HistoryEntry> ReaderPath::back()
{
    if (!canGoBack())
        return std::nullopt;
    return m_entries[--m_current];
}

std::optional<HistoryEntry> ReaderPath::forward()
{
    if (!canGoForward())
        return std::nullopt;
    return m_entries[++m_current];
}

std::optional<HistoryEntry> ReaderPath::current() const
{
    if (m_current < 0)
        return std::nullopt;
    return m_entries[m_current];
}
