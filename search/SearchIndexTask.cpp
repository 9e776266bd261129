#include "SearchIndexTask.h"

#include "ContentError.h"
#include "SearchIndexBuilder.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

namespace {

Q_LOGGING_CATEGORY(lcIndexTask, "verbarium.search.task", QtInfoMsg)

} // namespace

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
    if (m_thread)
        m_thread->wait(); // past its last signal: only its end is left
    delete m_thread;
    m_cancel = false;
    m_working = true;
    // The signals are emitted from the worker and queued to the task's own thread.
    m_thread = QThread::create([this] { work(); });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
}

void SearchIndexTask::work()
{
    QString path;
    std::optional<QString> error;
    try {
        path = ensure();
    } catch (const ContentError &e) {
        error = e.message();
    } catch (const SearchIndexBuilder::WriteError &e) {
        error = e.message();
    } catch (const std::exception &e) {
        qCDebug(lcIndexTask) << e.what();
        error = QStringLiteral("Nie można zbudować indeksu wyszukiwania.");
    }
    // Done before it is told, so that the owner may start again as soon as it hears.
    m_working = false;
    if (error)
        Q_EMIT failed(*error);
    else if (path.isEmpty())
        Q_EMIT cancelled();
    else
        Q_EMIT ready(path);
}

QString SearchIndexTask::ensure()
{
    const auto ensureAt = [this](const QString &path) {
        return SearchIndexBuilder::ensure(
                   m_containerPath, path,
                   [this](int done, int total) { Q_EMIT progress(done, total); }, &m_cancel)
                   ? path
                   : QString();
    };
    if (!m_temporary) {
        try {
            return ensureAt(m_indexPath);
        } catch (const SearchIndexBuilder::WriteError &e) {
            auto temporary = std::make_unique<QTemporaryDir>();
            if (!temporary->isValid())
                throw;
            m_temporary = std::move(temporary);
            Q_EMIT notKept(e.folder());
        }
    }
    return ensureAt(m_temporary->filePath(QStringLiteral("search.sqlite")));
}

void SearchIndexTask::cancel()
{
    m_cancel = true;
}

bool SearchIndexTask::isRunning() const
{
    return m_working;
}
