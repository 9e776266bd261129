#include "TCheckThread.h"

#include "Paths.h"
#include "TData.h"

#include <QCoreApplication>

TCheckThread::TCheckThread(const VolumeList &volumes, int interval, QString fileList,
                           QString subFolder, QObject *parent)
    : QThread(parent), m_interval(interval), m_volumes(volumes), m_fileList(std::move(fileList)),
      m_subFolder(std::move(subFolder))
{
}

TCheckThread::~TCheckThread()
{
    Stop();
    wait();
}

void TCheckThread::Stop()
{
    const QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_wake.wakeAll();
}

bool TCheckThread::stopRequested(int msecs)
{
    QMutexLocker lock(&m_mutex);
    if (!m_stop && msecs > 0)
        m_wake.wait(&m_mutex, msecs);
    return m_stop || QCoreApplication::closingDown();
}

void TCheckThread::run()
{
    while (!stopRequested(0)) {
        if (stopRequested(m_interval))
            break;
        const TVolumeRecord *changed = m_volumes.DetectChange();
        m_changedDrive = changed ? changed->Letter : QString();
        if (!changed)
            continue;
        // The check runs on the user-interface thread while this one waits for it. A stop
        // ends the wait too: the dialog may be waiting for this thread to end meanwhile.
        const TVolumeRecord record = *changed;
        {
            const QMutexLocker lock(&m_mutex);
            m_checked = false;
        }
        QMetaObject::invokeMethod(
            this,
            [this, record] {
                if (!stopRequested(0))
                    checkDrive(record);
                const QMutexLocker lock(&m_mutex);
                m_checked = true;
                m_wake.wakeAll();
            },
            Qt::QueuedConnection);
        QMutexLocker lock(&m_mutex);
        while (!m_checked && !m_stop)
            m_wake.wait(&m_mutex);
    }
}

void TCheckThread::checkDrive(const TVolumeRecord &record)
{
    if (record.Root.isEmpty())
        return;
    const QString folder = Paths::resolve(record.Root, m_subFolder);
    if (!TData::FilesPresent(folder, m_fileList))
        return;
    m_result = 1;
    m_subFolder = Paths::withSeparator(folder);
    Stop();
}
