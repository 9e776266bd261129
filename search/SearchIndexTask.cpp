#include "SearchIndexTask.h"

#include "ContentError.h"
#include "SearchIndexBuilder.h"
#include "SqliteDatabase.h"

#include <QThread>

SearchIndexTask::SearchIndexTask(const QString &containerPath, const QString &indexPath,
                                 QObject *parent)
    : QObject(parent), m_containerPath(containerPath), m_indexPath(indexPath)
{
}

SearchIndexTask::~SearchIndexTask()
{
    cancel();
    if (m_thread)
        m_thread->wait();
}

void SearchIndexTask::start()
{
    if (isRunning())
        return;
    delete m_thread;
    m_cancel = false;
    // The signals are emitted from the worker and queued to the task's own thread.
    m_thread = QThread::create([this] {
        try {
            const bool done = SearchIndexBuilder::ensure(
                m_containerPath, m_indexPath,
                [this](int done, int total) { Q_EMIT progress(done, total); }, &m_cancel);
            if (done)
                Q_EMIT ready(m_indexPath);
            else
                Q_EMIT cancelled();
        } catch (const ContentError &e) {
            Q_EMIT failed(e.message());
        } catch (const std::exception &e) {
            Q_EMIT failed(QString::fromUtf8(e.what()));
        }
    });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
}

void SearchIndexTask::cancel()
{
    m_cancel = true;
}

bool SearchIndexTask::isRunning() const
{
    return m_thread && m_thread->isRunning();
}
