#pragma once

#include "SearchIndex.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class SearchIndexTask;

// The search index of the open container for the windows: built (or checked) in the
// background the first time it is needed, then opened for queries on this thread.
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

Q_SIGNALS:
    void progress(int done, int total);
    void ready();
    void failed(const QString &message);

private:
    void open(const QString &path);

    std::function<QString()> m_containerPath;
    SearchIndexTask *m_task = nullptr;
    std::unique_ptr<SearchIndex> m_index;
};
