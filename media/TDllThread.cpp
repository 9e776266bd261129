#include "TDllThread.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

const QEvent::Type Mp3MessageEvent::Type = QEvent::Type(QEvent::registerEventType());

TDllThread::TDllThread(const QString &fileName, quint32 startFrame, Mp3PlayFunction play,
                       Mp3StopFunction stop, QObject *receiver)
    : m_fileName(fileName), m_encodedName(QFile::encodeName(fileName)), m_startFrame(startFrame),
      m_play(play), m_stop(stop), m_receiver(receiver)
{
    m_sink.notify = &TDllThread::notify;
    m_sink.thread = this;
}

TDllThread::~TDllThread()
{
    wait();
}

void TDllThread::RequestStop()
{
    m_stopRequested.store(true);
    if (m_stop)
        m_stop();
}

void TDllThread::DetachReceiver()
{
    QMutexLocker lock(&m_receiverLock);
    m_receiver = nullptr;
}

void TDllThread::notify(Mp3Sink *sink, uint32_t message, uintptr_t first, intptr_t second)
{
    TDllThread *self = static_cast<Sink *>(sink)->thread;
    // The library forgets stop requests made before it began; this one is repeated.
    if (self->m_stopRequested.load() && message == MP3_MSG_FRAME && self->m_stop)
        self->m_stop();
    QMutexLocker lock(&self->m_receiverLock);
    if (!self->m_receiver)
        return;
    if (message == MP3_MSG_FRAME) {
        self->m_frames->latest.store(quint32(first));
        // At most one frame message every few milliseconds: enough for any display, and a
        // library faster than real time does not keep waking the user-interface thread.
        const auto now = std::chrono::steady_clock::now();
        self->m_frameUnsent = now - self->m_lastFramePost < FrameInterval;
        if (!self->m_frameUnsent)
            self->postFrame(now);
        return;
    }
    // The last frame reaches the player before the end does.
    if (message == MP3_MSG_STOPPED && self->m_frameUnsent)
        self->postFrame(std::chrono::steady_clock::now());
    QCoreApplication::postEvent(self->m_receiver, new Mp3MessageEvent(message, first, second));
}

void TDllThread::postFrame(std::chrono::steady_clock::time_point now)
{
    m_frameUnsent = false;
    m_lastFramePost = now;
    if (!m_frames->pending.exchange(true))
        QCoreApplication::postEvent(m_receiver, new Mp3MessageEvent(MP3_MSG_FRAME, 0, 0, m_frames));
}

void TDllThread::run()
{
    if (!QFileInfo::exists(m_fileName)) {
        m_returnValue = -2;
        return;
    }
    if (!m_play) {
        m_returnValue = -1;
        return;
    }
    Mp3Params params{m_encodedName.constData(), m_startFrame, &m_sink, 0};
    try {
        m_play(&params);
        m_returnValue = int(params.result);
    } catch (...) {
        m_returnValue = -1;
    }
}
