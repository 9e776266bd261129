#pragma once

#include "PVolumeList.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

// Watches the CD-ROM drives while the locator is open: every `Interval` milliseconds it asks
// whether the volume in a drive changed, and when one did, checks on the user-interface thread
// whether its subfolder holds the required files. A find ends the thread.
class TCheckThread : public QThread
{
    Q_OBJECT

public:
    // The snapshot of the drives is taken here, on the creating thread.
    TCheckThread(const VolumeList &volumes, int interval, QString fileList, QString subFolder,
                 QObject *parent = nullptr);
    // Stops the thread and waits for it.
    ~TCheckThread() override;

    // Ends the thread at once, even in the middle of its wait.
    void Stop();

    // Read once the thread has finished: 1 when the data was found, else 0.
    int Result() const { return m_result; }
    // The subfolder looked for; after a find, the whole folder found (ending with "/").
    const QString &SubFolder() const { return m_subFolder; }
    // The drive changed at the last poll; empty when none.
    const QString &ChangedDrive() const { return m_changedDrive; }

protected:
    void run() override;

private:
    // Waits up to `msecs`; true when a stop was asked for meanwhile.
    bool stopRequested(int msecs);
    // On the user-interface thread.
    void checkDrive(const TVolumeRecord &record);

    const int m_interval;
    PVolumeList m_volumes;
    const QString m_fileList;
    QString m_subFolder;
    QString m_changedDrive;
    int m_result = 0;

    QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stop = false;
    bool m_checked = false;
};
