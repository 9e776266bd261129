#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QTemporaryDir;
class QThread;

// Makes sure a container's search index is built, on a thread of its own, reporting its
// progress; the owner's thread stays free. An index that cannot be written where it is asked
// for is built in a temporary folder instead, for as long as the task lives. Destroying the
// task cancels a build and waits.
class SearchIndexTask : public QObject
{
    Q_OBJECT

public:
    SearchIndexTask(const QString &containerPath, const QString &indexPath,
                    QObject *parent = nullptr);
    ~SearchIndexTask() override;

    void start();
    void cancel();
    // Until the last signal of a start is emitted.
    bool isRunning() const;
    const QString &indexPath() const { return m_indexPath; }

Q_SIGNALS:
    void progress(int done, int total);
    // The index file is ready to be opened (SearchIndex).
    void ready(const QString &indexPath);
    // The index cannot be kept in `folder`: it is built in a temporary folder.
    void notKept(const QString &folder);
    void failed(const QString &message);
    void cancelled();

private:
    void work();
    // Run by the worker: the index's path, or an empty one when cancelled.
    QString ensure();

    QString m_containerPath;
    QString m_indexPath;
    std::atomic_bool m_cancel{false};
    std::atomic_bool m_working{false};
    QThread *m_thread = nullptr;
    std::unique_ptr<QTemporaryDir> m_temporary; // the worker's only
};
