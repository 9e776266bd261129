#include "TSearchEngine.h"

#include "SearchIndexBuilder.h"
#include "SearchIndexTask.h"
#include "SqliteDatabase.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcSearchEngine, "verbarium.search.engine", QtInfoMsg)

} // namespace

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
        connect(m_task, &SearchIndexTask::notKept, this, &TSearchEngine::notKept);
        connect(m_task, &SearchIndexTask::failed, this, &TSearchEngine::failed);
    }
    m_task->start();
}

bool TSearchEngine::read(const std::function<void(const SearchIndex &)> &reading)
{
    if (!m_index)
        return false;
    try {
        reading(*m_index);
        return true;
    } catch (const SqliteDatabase::Error &e) {
        // Dropped once the caller is done with it: a view may be reading it as it paints.
        QMetaObject::invokeMethod(
            this,
            [this, what = std::string(e.what())] {
                if (m_index) // not dropped already after an earlier failure
                    damaged(what.c_str());
            },
            Qt::QueuedConnection);
        return false;
    }
}

void TSearchEngine::open(const QString &path)
{
    m_path = path;
    try {
        m_index = std::make_unique<SearchIndex>(path);
    } catch (const SqliteDatabase::Error &e) {
        damaged(e.what());
        return;
    }
    Q_EMIT ready();
}

void TSearchEngine::damaged(const char *what)
{
    qCDebug(lcSearchEngine, "Search index %s damaged: %s", qUtf8Printable(m_path), what);
    if (m_index) {
        Q_EMIT lost();
        m_index.reset();
    }
    SearchIndexBuilder::discard(m_path);
    // A new index that fails too will not be better for another build.
    if (std::exchange(m_rebuilt, true)) {
        Q_EMIT failed(QStringLiteral("indeks jest uszkodzony."));
        return;
    }
    prepare();
}
