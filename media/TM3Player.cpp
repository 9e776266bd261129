#include "TM3Player.h"

#include "TDllThread.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace {

// Players of one library share its loading: it is unloaded when the last of them goes.
QHash<QString, int> &playersOfLibrary()
{
    static QHash<QString, int> counts;
    return counts;
}

} // namespace

TM3Player::TM3Player(QObject *parent, const QString &library) : QObject(parent)
{
    const QString inProgramFolder =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libmp3.so"));
    if (!library.isEmpty())
        m_library.setFileName(library);
    else if (QFileInfo::exists(inProgramFolder))
        m_library.setFileName(inProgramFolder);
    else
        m_library.setFileName(QStringLiteral("mp3"));
    // A missing library or entry point means no sound, nothing else.
    if (m_library.load()) {
        ++playersOfLibrary()[m_library.fileName()];
        m_play = reinterpret_cast<Mp3PlayFunction>(m_library.resolve("mp3play"));
        m_stop = reinterpret_cast<Mp3StopFunction>(m_library.resolve("mp3stop"));
        m_seek = reinterpret_cast<Mp3SeekFunction>(m_library.resolve("mp3seek"));
        m_getTime = reinterpret_cast<Mp3GetTimeFunction>(m_library.resolve("mp3gettime"));
    }
}

TM3Player::~TM3Player()
{
    if (m_thread) {
        m_thread->DetachReceiver();
        m_thread->RequestStop();
        if (m_thread->wait(DestroyWaitMs)) {
            delete m_thread;
        } else {
            // A library that does not stop keeps its thread and its code: both are left to
            // the end of the process rather than pulled from under it.
            return;
        }
    }
    if (m_library.isLoaded() && --playersOfLibrary()[m_library.fileName()] == 0)
        m_library.unload();
    if (m_deleteAfterPlay && !m_fileName.isEmpty())
        QFile::remove(m_fileName);
}

void TM3Player::ReadTrackInfo()
{
    m_trackTime = 0;
    m_msPerFrame = 26.0;
    if (!m_getTime || !QFileInfo::exists(m_fileName))
        return;
    const QByteArray name = QFile::encodeName(m_fileName);
    Mp3Params params{name.constData(), 0, nullptr, 0};
    double length = 0;
    double perFrame = 26.0;
    m_getTime(&params, &length, &perFrame);
    m_trackTime = length;
    m_msPerFrame = perFrame > 0 ? perFrame : 26.0;
}

void TM3Player::SetFileName(const QString &fileName)
{
    if (m_running)
        return;
    m_fileName = fileName;
    ReadTrackInfo();
    m_currentFrame = 0;
    Q_EMIT AfterFileChange();
}

void TM3Player::SetCurrentFrame(quint32 frame)
{
    if (frame == m_currentFrame)
        return;
    const double frames = std::round(m_trackTime / m_msPerFrame);
    if (double(frame) > frames)
        return;
    m_currentFrame = frame;
    if (m_running && m_seek)
        m_seek(frame);
}

void TM3Player::Play()
{
    if (m_running)
        return;
    m_running = true;
    ReadTrackInfo();
    m_thread = new TDllThread(m_fileName, m_currentFrame, m_play, m_stop, this);
    connect(m_thread, &QThread::finished, this, &TM3Player::ThreadDone, Qt::QueuedConnection);
    m_thread->start(m_priority);
}

void TM3Player::Stop()
{
    if (m_running && m_thread)
        m_thread->RequestStop();
}

void TM3Player::ThreadDone()
{
    TDllThread *thread = m_thread;
    if (!thread || !thread->isFinished())
        return;
    m_running = false;
    m_thread = nullptr;
    const int result = thread->ReturnValue();
    delete thread;
    Q_EMIT OnTerminate(result);
    if (m_deleteAfterPlay && !m_fileName.isEmpty()) {
        QFile::remove(m_fileName);
        m_fileName.clear();
    }
}

bool TM3Player::event(QEvent *event)
{
    if (event->type() != Mp3MessageEvent::Type)
        return QObject::event(event);
    const auto *message = static_cast<Mp3MessageEvent *>(event);
    switch (message->message) {
    case MP3_MSG_FRAME:
        // Cleared before reading, so a frame reported from now on posts a message again.
        message->frames->pending.store(false);
        m_currentFrame = message->frames->latest.load();
        Q_EMIT OnFrameChange(m_currentFrame);
        break;
    case MP3_MSG_SEEKED:
        Q_EMIT AfterSeek();
        break;
    case MP3_MSG_STOPPED:
        Q_EMIT OnStop(int(message->second));
        break;
    default:
        break;
    }
    return true;
}
