#pragma once

#include "SearchIndex.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class SearchIndexTask;

// The search index of the open container for the windows: built (or checked) in the
// background the first time it is needed, then opened for queries on this thread. An index
// that fails a query is damaged: it is dropped and built again.
class TSearchEngine : public QObject
{
    Q_OBJECT

public:
    // The container is asked for when the index is first needed (the main window exists
    // before the content is open); no container, no index. The index is kept in the user's
    // cache folder.
    explicit TSearchEngine(std::function<QString()> containerPath, QObject *parent = nullptr);
    ~TSearchEngine() override;

    // Starts making the index ready unless it is or is being made so.
    void prepare();
    bool isReady() const { return m_index != nullptr; }
    // Null until ready.
    const SearchIndex *index() const { return m_index.get(); }
    // Reads the index; false when it is not ready or the reading failed, which starts building
    // it again (see lost). Whatever `reading` got from the index goes with it.
    bool read(const std::function<void(const SearchIndex &)> &reading);

Q_SIGNALS:
    void progress(int done, int total);
    void ready();
    // The index is gone, found damaged; it is being built again. What came from it must go.
    void lost();
    // The index cannot be kept in `folder`; it is built for this run only.
    void notKept(const QString &folder);
    void failed(const QString &message);

private:
    void open(const QString &path);
    void damaged(const char *what);

    std::function<QString()> m_containerPath;
    SearchIndexTask *m_task = nullptr;
    std::unique_ptr<SearchIndex> m_index;
    QString m_path;         // of the index opened, or last to open
    bool m_rebuilt = false; // once damaged this run
};
