#pragma once

#include "HistoryEntry.h"
#include "ReaderHistory.h"
#include "ReaderPath.h"

#include <QList>
#include <QObject>

#include <optional>

class DocumentDispatcher;
class ReaderStore;
class TfrmWzorBazowy;

// The way the reader goes through the entries: each entry a document window shows is kept in
// the history and on the path Back and Forward follow. A step along the path shows its entry
// again without making a new visit, so the places ahead stay.
class ReaderTrail : public QObject
{
    Q_OBJECT

public:
    ReaderTrail(ReaderStore &store, DocumentDispatcher &dispatcher, QObject *parent);

    bool canGoBack() const { return m_path.canGoBack(); }
    bool canGoForward() const { return m_path.canGoForward(); }
    void back();
    void forward();
    // Opens an entry the reader chose, as a new visit.
    void open(const HistoryEntry &entry);
    // The places seen last, newest first; empty when the store cannot be read.
    QList<HistoryEntry> recent(int count);
    bool isOpen(const HistoryEntry &entry) const;

Q_SIGNALS:
    // The path changed: whether Back and Forward can go may have changed with it.
    void pathChanged();
    // The store failed; the words are for the reader.
    void problem(const QString &message);

private:
    void shown(TfrmWzorBazowy *window);
    void step(const std::optional<HistoryEntry> &entry);

    DocumentDispatcher &m_dispatcher;
    ReaderHistory m_history;
    ReaderPath m_path;
};
