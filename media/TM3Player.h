#pragma once

#include "mp3.h"

#include <QLibrary>
#include <QObject>
#include <QPointer>
#include <QThread>

class TDllThread;

// Plays MP3 files through the "mp3" library, each on a thread of its own. One file at a time;
// while it plays, changing the file and starting again are ignored.
class TM3Player : public QObject
{
    Q_OBJECT

public:
    // Loads the library from `library` when given, else "mp3" from the program's folder first.
    explicit TM3Player(QObject *parent = nullptr, const QString &library = QString());
    // Stops a playback, waits for it at most 5 s, unloads the library.
    ~TM3Player() override;

    bool Running() const { return m_running; }
    const QString &FileName() const { return m_fileName; }
    void SetFileName(const QString &fileName);
    QThread::Priority Priority() const { return m_priority; }
    void SetPriority(QThread::Priority priority) { m_priority = priority; }
    double MsPerFrame() const { return m_msPerFrame; }
    double TrackTime() const { return m_trackTime; }
    quint32 CurrentFrame() const { return m_currentFrame; }
    // Beyond the last frame the request is ignored; while playing it seeks.
    void SetCurrentFrame(quint32 frame);
    bool DeleteAfterPlay() const { return m_deleteAfterPlay; }
    void SetDeleteAfterPlay(bool on) { m_deleteAfterPlay = on; }
    bool LibraryLoaded() const { return m_play != nullptr; }

    void Play();
    void Stop();

    static constexpr int DestroyWaitMs = 5000;

Q_SIGNALS:
    void OnStop(int result);
    void OnTerminate(int result);
    void OnFrameChange(quint32 actualFrame);
    void AfterSeek();
    void AfterFileChange();

protected:
    bool event(QEvent *event) override;

private:
    void ReadTrackInfo();
    void ThreadDone();

    QLibrary m_library;
    Mp3PlayFunction m_play = nullptr;
    Mp3StopFunction m_stop = nullptr;
    Mp3SeekFunction m_seek = nullptr;
    Mp3GetTimeFunction m_getTime = nullptr;

    bool m_running = false;
    QString m_fileName;
    QThread::Priority m_priority = QThread::NormalPriority;
    double m_msPerFrame = 26.0;
    double m_trackTime = 0;
    quint32 m_currentFrame = 0;
    bool m_deleteAfterPlay = false;
    TDllThread *m_thread = nullptr;
};
