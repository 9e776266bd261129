#include "TSearchEngine.h"

#include "SearchIndexBuilder.h"
#include "SearchIndexTask.h"
#include "SqliteDatabase.h"

TSearchEngine::TSearchEngine(std::function<QString()> containerPath, QObject *parent)
    : QObject(parent), m_containerPath(std::move(containerPath))
{
}

TSearchEngine::~TSearchEngine() = default;

void TSearchEngine::prepare()
{
    if (m_index || (m_task && m_task->isRunning()))
        return;
    if (!m_task) {
        const QString container = m_containerPath();
        if (container.isEmpty())
            return;
        m_task = new SearchIndexTask(container, SearchIndexBuilder::cacheFile(container), this);
        connect(m_task, &SearchIndexTask::progress, this, &TSearchEngine::progress);
        connect(m_task, &SearchIndexTask::ready, this, &TSearchEngine::open);
        connect(m_task, &SearchIndexTask::failed, this, &TSearchEngine::failed);
    }
    m_task->start();
}

void TSearchEngine::open(const QString &path)
{
    try {
        m_index = std::make_unique<SearchIndex>(path);
    } catch (const SqliteDatabase::Error &e) {
        Q_EMIT failed(QString::fromUtf8(e.what()));
        return;
    }
    Q_EMIT ready();
}
