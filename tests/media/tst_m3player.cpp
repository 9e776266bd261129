#include "Mp3Facts.h"
#include "TM3Player.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

qint64 wavSamples(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray wav = file.readAll();
    const qsizetype data = wav.indexOf("data");
    return data < 0 ? -1 : qint64(qFromLittleEndian<quint32>(wav.constData() + data + 4)) / 2;
}

} // namespace

class TestM3Player : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanupTestCase() { qunsetenv("VERBARIUM_AUDIO_OUT"); }

    void defaults();
    void playsToTheEnd();
    void stopFiresOnStopThenOnTerminate();
    void missingFileAndLibrary_data();
    void missingFileAndLibrary();
    void currentFrameRules();
    void fileNameIsKeptWhilePlaying();
    void deleteAfterPlay();
    void destroyedWhilePlaying();
    void playersShareTheLibrary();

private:
    QString copyOfIntro(const QString &name = QStringLiteral("intro.mp3"));
    std::unique_ptr<TM3Player>
    player(const QString &library = QStringLiteral(VERBARIUM_MP3_LIBRARY));

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_wav;
    QStringList m_events;
};

void TestM3Player::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_wav = m_dir->filePath(QStringLiteral("out.wav"));
    qputenv("VERBARIUM_AUDIO_OUT", "wav:" + QFile::encodeName(m_wav));
    m_events.clear();
}

QString TestM3Player::copyOfIntro(const QString &name)
{
    const QString path = m_dir->filePath(name);
    QFile::copy(QStringLiteral(VERBARIUM_SAMPLE_DIR "/sounds/guide/Wprowadz.mp3"), path);
    return path;
}

std::unique_ptr<TM3Player> TestM3Player::player(const QString &library)
{
    auto p = std::make_unique<TM3Player>(nullptr, library);
    connect(p.get(), &TM3Player::OnStop, this,
            [this](int r) { m_events.append(QStringLiteral("stop %1").arg(r)); });
    connect(p.get(), &TM3Player::OnTerminate, this,
            [this](int r) { m_events.append(QStringLiteral("terminate %1").arg(r)); });
    connect(p.get(), &TM3Player::AfterFileChange, this,
            [this] { m_events.append(QStringLiteral("file")); });
    return p;
}

void TestM3Player::defaults()
{
    const auto p = player();
    QVERIFY(p->LibraryLoaded());
    QVERIFY(!p->Running());
    QVERIFY(p->FileName().isEmpty());
    QCOMPARE(p->Priority(), QThread::NormalPriority);
    QCOMPARE(p->MsPerFrame(), 26.0);
    QCOMPARE(p->TrackTime(), 0.0);
    QCOMPARE(p->CurrentFrame(), 0u);
    QVERIFY(!p->DeleteAfterPlay());
}

void TestM3Player::playsToTheEnd()
{
    const auto p = player();
    const QString file = copyOfIntro();
    p->SetFileName(file);
    const Mp3Facts facts = readMp3Facts([&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    QCOMPARE(p->MsPerFrame(), facts.msPerFrame());
    QVERIFY(qAbs(p->TrackTime() - facts.lengthMs()) < 2 * facts.msPerFrame());

    QSignalSpy frames(p.get(), &TM3Player::OnFrameChange);
    p->Play();
    QVERIFY(p->Running());
    QTRY_VERIFY(!p->Running());
    QCOMPARE(m_events, (QStringList{QStringLiteral("file"), QStringLiteral("stop 0"),
                                    QStringLiteral("terminate 0")}));
    // Frames come in order and end with the last one; a library faster than the event loop
    // has the frames in between taken together.
    QVERIFY(frames.count() >= 1 && frames.count() <= facts.frames);
    for (qsizetype i = 1; i < frames.count(); ++i)
        QVERIFY(frames[i][0].toUInt() > frames[i - 1][0].toUInt());
    QCOMPARE(frames.last()[0].toUInt(), quint32(facts.frames - 1));
    QCOMPARE(p->CurrentFrame(), quint32(facts.frames - 1));
    QVERIFY(QFile::exists(file));
    QVERIFY(wavSamples(m_wav) > 0);
}

void TestM3Player::stopFiresOnStopThenOnTerminate()
{
    const auto p = player();
    p->SetFileName(copyOfIntro());
    p->Play();
    // At once, before the library has begun: the stop must still reach this playback.
    p->Stop();
    QVERIFY(p->Running());
    QTRY_VERIFY(!p->Running());
    QCOMPARE(m_events, (QStringList{QStringLiteral("file"), QStringLiteral("stop 1"),
                                    QStringLiteral("terminate 1")}));
    QVERIFY(wavSamples(m_wav) < 10 * 576);
}

void TestM3Player::missingFileAndLibrary_data()
{
    QTest::addColumn<bool>("library");
    QTest::addColumn<bool>("file");
    QTest::addColumn<int>("result");
    QTest::newRow("missing file") << true << false << -2;
    QTest::newRow("missing library") << false << true << -1;
    QTest::newRow("both") << false << false << -2;
}

void TestM3Player::missingFileAndLibrary()
{
    QFETCH(bool, library);
    QFETCH(bool, file);
    QFETCH(int, result);
    const auto p = player(library ? QStringLiteral(VERBARIUM_MP3_LIBRARY)
                                  : m_dir->filePath(QStringLiteral("libnone.so")));
    QCOMPARE(p->LibraryLoaded(), library);
    p->SetFileName(file ? copyOfIntro() : m_dir->filePath(QStringLiteral("none.mp3")));
    QCOMPARE(p->TrackTime(), 0.0);
    QCOMPARE(p->MsPerFrame(), 26.0);
    p->Play();
    QTRY_VERIFY(!p->Running());
    QCOMPARE(m_events,
             (QStringList{QStringLiteral("file"), QStringLiteral("terminate %1").arg(result)}));
    p->Stop(); // nothing plays: nothing happens
    p->SetCurrentFrame(0);
}

void TestM3Player::currentFrameRules()
{
    const auto p = player();
    const QString file = copyOfIntro();
    p->SetFileName(file);
    const quint32 frames = quint32(qRound(p->TrackTime() / p->MsPerFrame()));
    p->SetCurrentFrame(frames + 1);
    QCOMPARE(p->CurrentFrame(), 0u);
    p->SetCurrentFrame(frames);
    QCOMPARE(p->CurrentFrame(), frames);

    // While idle the frame only sets where the next playback starts.
    p->SetCurrentFrame(0);
    p->Play();
    QTRY_VERIFY(!p->Running());
    const qint64 whole = wavSamples(m_wav);
    p->SetCurrentFrame(50);
    QCOMPARE(p->CurrentFrame(), 50u);
    p->Play();
    QTRY_VERIFY(!p->Running());
    QVERIFY(qAbs(whole - wavSamples(m_wav) - 50 * 576) <= 576);

    // A new file starts again at 0.
    p->SetFileName(file);
    QCOMPARE(p->CurrentFrame(), 0u);
}

void TestM3Player::fileNameIsKeptWhilePlaying()
{
    const auto p = player();
    const QString file = copyOfIntro();
    p->SetFileName(file);
    p->Play();
    p->SetFileName(copyOfIntro(QStringLiteral("other.mp3")));
    p->Play(); // ignored while running
    QCOMPARE(p->FileName(), file);
    QTRY_VERIFY(!p->Running());
    QCOMPARE(m_events.count(QStringLiteral("terminate 0")), 1);
    QCOMPARE(m_events.count(QStringLiteral("file")), 1);
}

void TestM3Player::deleteAfterPlay()
{
    const auto p = player();
    const QString file = copyOfIntro();
    p->SetDeleteAfterPlay(true);
    p->SetFileName(file);
    p->Play();
    QTRY_VERIFY(!p->Running());
    QVERIFY(!QFile::exists(file));
    QVERIFY(p->FileName().isEmpty());
    QCOMPARE(m_events.count(QStringLiteral("file")), 1); // clearing the name is no file change

    // Also when the player goes while a file is set.
    const QString second = copyOfIntro(QStringLiteral("second.mp3"));
    auto other = player();
    other->SetDeleteAfterPlay(true);
    other->SetFileName(second);
    other.reset();
    QVERIFY(!QFile::exists(second));
}

void TestM3Player::destroyedWhilePlaying()
{
    auto p = player();
    p->SetFileName(copyOfIntro());
    p->Play();
    QElapsedTimer timer;
    timer.start();
    p.reset();
    QVERIFY(timer.elapsed() < TM3Player::DestroyWaitMs);
    // Nothing of the ended playback reaches anyone any more.
    QCoreApplication::processEvents();
    QCOMPARE(m_events, QStringList{QStringLiteral("file")});
}

void TestM3Player::playersShareTheLibrary()
{
    const auto p = player();
    player().reset(); // a second player comes and goes
    p->SetFileName(copyOfIntro());
    QVERIFY(p->TrackTime() > 0);
    p->Play();
    QTRY_VERIFY(!p->Running());
    QCOMPARE(m_events.last(), QStringLiteral("terminate 0"));
}

QTEST_GUILESS_MAIN(TestM3Player)
#include "tst_m3player.moc"
