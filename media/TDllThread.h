#pragma once

#include "mp3.h"

#include <QByteArray>
#include <QEvent>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>

// The newest frame the library reported, handed over between the threads. A frame message
// is posted only when none is waiting, and the user-interface thread takes the newest frame
// each time, so frames the display could not keep up with are taken together.
struct Mp3FrameState
{
    std::atomic<quint32> latest{0};
    std::atomic<bool> pending{false};
};

// The thread that runs the library's blocking "mp3play" for one file. Its result: the
// library's, -1 when the call failed or there is no library, -2 when the file is missing.
class TDllThread : public QThread
{
    Q_OBJECT

public:
    TDllThread(const QString &fileName, quint32 startFrame, Mp3PlayFunction play,
               Mp3StopFunction stop, QObject *receiver);
    ~TDllThread() override;

    int ReturnValue() const { return m_returnValue; }
    // Asks a running playback to end; repeated from the play thread if it comes before
    // the library has begun playing.
    void RequestStop();
    // After this the library's messages go nowhere.
    void DetachReceiver();

protected:
    void run() override;

private:
    struct Sink : Mp3Sink
    {
        TDllThread *thread = nullptr;
    };
    static void notify(Mp3Sink *sink, uint32_t message, uintptr_t first, intptr_t second);
    void postFrame(std::chrono::steady_clock::time_point now);
    static constexpr std::chrono::milliseconds FrameInterval{10};

    QString m_fileName;
    QByteArray m_encodedName;
    quint32 m_startFrame;
    Mp3PlayFunction m_play;
    Mp3StopFunction m_stop;
    Sink m_sink;
    QMutex m_receiverLock;
    QObject *m_receiver;
    std::atomic<bool> m_stopRequested{false};
    std::shared_ptr<Mp3FrameState> m_frames = std::make_shared<Mp3FrameState>();
    // Used on the play thread only.
    std::chrono::steady_clock::time_point m_lastFramePost;
    bool m_frameUnsent = false;
    int m_returnValue = 0;
};

// A library message carried to the user-interface thread.
class Mp3MessageEvent : public QEvent
{
public:
    static const QEvent::Type Type;
    Mp3MessageEvent(uint32_t message, uintptr_t first, intptr_t second,
                    std::shared_ptr<Mp3FrameState> frames = nullptr)
        : QEvent(Type), message(message), first(first), second(second), frames(std::move(frames))
    {
    }
    const uint32_t message;
    const uintptr_t first;
    const intptr_t second;
    // For frame messages: where the newest frame is.
    const std::shared_ptr<Mp3FrameState> frames;
};
