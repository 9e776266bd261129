#pragma once

#include <QObject>
#include <QString>

#include <atomic>

class QThread;

// Makes sure a container's search index is built, on a thread of its own, reporting its
// progress; the owner's thread stays free. Destroying the task cancels a build and waits.
class SearchIndexTask : public QObject
{
    Q_OBJECT

public:
    SearchIndexTask(const QString &containerPath, const QString &indexPath,
                    QObject *parent = nullptr);
    ~SearchIndexTask() override;

    void start();
    void cancel();
    bool isRunning() const;
    const QString &indexPath() const { return m_indexPath; }

Q_SIGNALS:
    void progress(int done, int total);
    // The index file is ready to be opened (SearchIndex).
    void ready(const QString &indexPath);
    void failed(const QString &message);
    void cancelled();

private:
    QString m_containerPath;
    QString m_indexPath;
    std::atomic_bool m_cancel{false};
    QThread *m_thread = nullptr;
};
