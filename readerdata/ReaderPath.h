#pragma once

#include "HistoryEntry.h"

#include <QList>

#include <optional>

// The way one window has come, for Back and Forward: the places in order and where the reader
// stands among them. Visiting a place from a step back drops the places ahead, as browsers do.
class ReaderPath
{
public:
    // Goes to `entry`; the current place again (a reload) leaves the path as it is.
    void visit(const HistoryEntry &entry);

    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < m_entries.size(); }
    // The place to show after a step back or forward; none when there is no step to take.
    std::optional<HistoryEntry> back();
    std::optional<HistoryEntry> forward();
    std::optional<HistoryEntry> current() const;

private:
    QList<HistoryEntry> m_entries;
    qsizetype m_current = -1;
};
