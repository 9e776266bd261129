#include "Mp3Facts.h"
#include "TestFiles.h"
#include "mp3.h"

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <thread>

using fixture::readFile;

namespace {

// Samples of a 16-bit WAV file, from its data chunk.
qint64 wavSamples(const QString &path)
{
    const QByteArray wav = readFile(path);
    const qsizetype data = wav.indexOf("data");
    if (!wav.startsWith("RIFF") || data < 0 || data + 8 > wav.size())
        return -1;
    const quint16 channels = qFromLittleEndian<quint16>(wav.constData() + 22);
    const quint32 bytes = qFromLittleEndian<quint32>(wav.constData() + data + 4);
    return channels ? qint64(bytes) / (2 * channels) : -1;
}

struct Recorder : Mp3Sink
{
    QList<uint32_t> messages;
    QList<intptr_t> stopResults;
    uintptr_t lastFrame = 0;
    int stopAtFrame = -1;
    Mp3StopFunction stop = nullptr;

    Recorder()
    {
        notify = [](Mp3Sink *sink, uint32_t message, uintptr_t first, intptr_t second) {
            auto *self = static_cast<Recorder *>(sink);
            self->messages.append(message);
            if (message == MP3_MSG_FRAME) {
                self->lastFrame = first;
                if (int(first) == self->stopAtFrame)
                    self->stop();
            }
            if (message == MP3_MSG_STOPPED)
                self->stopResults.append(second);
        };
    }
};

} // namespace

class TestMp3Library : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void getTimeMatchesTheFile_data();
    void getTimeMatchesTheFile();
    void playsTheWholeFileIntoTheWavWriter();
    void playsFromAStartFrame();
    void stopEndsThePlayback();
    void staleStopDoesNotReachTheNextPlayback();
    void failures_data();
    void failures();

private:
    intptr_t play(const QString &file, uintptr_t startFrame, Recorder &recorder);

    QLibrary m_library{QStringLiteral(VERBARIUM_MP3_LIBRARY)};
    Mp3PlayFunction m_play = nullptr;
    Mp3StopFunction m_stop = nullptr;
    Mp3GetTimeFunction m_getTime = nullptr;
    QTemporaryDir m_dir;
    QString m_wav;
    const QString m_intro = QStringLiteral(VERBARIUM_SAMPLE_DIR "/sounds/guide/Wprowadz.mp3");
};

void TestMp3Library::initTestCase()
{
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    m_play = reinterpret_cast<Mp3PlayFunction>(m_library.resolve("mp3play"));
    m_stop = reinterpret_cast<Mp3StopFunction>(m_library.resolve("mp3stop"));
    m_getTime = reinterpret_cast<Mp3GetTimeFunction>(m_library.resolve("mp3gettime"));
    QVERIFY(m_play && m_stop && m_getTime && m_library.resolve("mp3seek"));
}

void TestMp3Library::init()
{
    m_wav =
        m_dir.filePath(QStringLiteral("%1.wav").arg(QLatin1String(QTest::currentTestFunction())));
    qputenv("VERBARIUM_AUDIO_OUT", "wav:" + QFile::encodeName(m_wav));
}

void TestMp3Library::cleanupTestCase()
{
    qunsetenv("VERBARIUM_AUDIO_OUT");
}

intptr_t TestMp3Library::play(const QString &file, uintptr_t startFrame, Recorder &recorder)
{
    recorder.stop = m_stop;
    const QByteArray name = QFile::encodeName(file);
    Mp3Params params{name.constData(), startFrame, &recorder, 0};
    // On a thread of its own, as the program calls it.
    std::thread([&] { m_play(&params); }).join();
    return params.result;
}

void TestMp3Library::getTimeMatchesTheFile_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"guide/Wprowadz.mp3", "events/brawo.mp3", "Glosy/mickiewicz.mp3"})
        QTest::newRow(name) << QStringLiteral(VERBARIUM_SAMPLE_DIR "/sounds/") +
                                   QLatin1String(name);
}

void TestMp3Library::getTimeMatchesTheFile()
{
    QFETCH(QString, file);
    const Mp3Facts facts = readMp3Facts(readFile(file));
    QVERIFY(facts.frames > 0);
    const QByteArray name = QFile::encodeName(file);
    Mp3Params params{name.constData(), 0, nullptr, 0};
    double length = -1, perFrame = -1;
    m_getTime(&params, &length, &perFrame);
    QCOMPARE(perFrame, facts.msPerFrame());
    // The decoder leaves out the encoder's delay and padding, less than two frames.
    QVERIFY2(length <= facts.lengthMs() && length > facts.lengthMs() - 2 * facts.msPerFrame(),
             qPrintable(QStringLiteral("%1 ms, file %2 ms").arg(length).arg(facts.lengthMs())));
}

void TestMp3Library::playsTheWholeFileIntoTheWavWriter()
{
    Recorder recorder;
    QCOMPARE(play(m_intro, 0, recorder), intptr_t(MP3_RESULT_DONE));
    const QByteArray name = QFile::encodeName(m_intro);
    Mp3Params params{name.constData(), 0, nullptr, 0};
    double length = 0, perFrame = 0;
    m_getTime(&params, &length, &perFrame);
    const Mp3Facts facts = readMp3Facts(readFile(m_intro));
    QCOMPARE(qRound(double(wavSamples(m_wav)) * 1000 / facts.sampleRate / 10), qRound(length / 10));
    // One notification per frame, in order, then the end with its result.
    QCOMPARE(recorder.messages.count(MP3_MSG_FRAME), facts.frames);
    QCOMPARE(int(recorder.lastFrame), facts.frames - 1);
    QCOMPARE(recorder.messages.last(), uint32_t(MP3_MSG_STOPPED));
    QCOMPARE(recorder.stopResults, QList<intptr_t>{MP3_RESULT_DONE});
}

void TestMp3Library::playsFromAStartFrame()
{
    Recorder whole;
    play(m_intro, 0, whole);
    const qint64 all = wavSamples(m_wav);
    Recorder part;
    QCOMPARE(play(m_intro, 100, part), intptr_t(MP3_RESULT_DONE));
    const qint64 fromHundred = wavSamples(m_wav);
    const Mp3Facts facts = readMp3Facts(readFile(m_intro));
    QVERIFY2(qAbs(all - fromHundred - 100 * facts.samplesPerFrame) <= facts.samplesPerFrame,
             qPrintable(QStringLiteral("%1 - %2").arg(all).arg(fromHundred)));
}

void TestMp3Library::stopEndsThePlayback()
{
    Recorder recorder;
    recorder.stopAtFrame = 10;
    QCOMPARE(play(m_intro, 0, recorder), intptr_t(MP3_RESULT_STOPPED));
    QCOMPARE(recorder.stopResults, QList<intptr_t>{MP3_RESULT_STOPPED});
    QCOMPARE(int(recorder.lastFrame), 10);
    QVERIFY(wavSamples(m_wav) <= 11 * readMp3Facts(readFile(m_intro)).samplesPerFrame);
}

void TestMp3Library::staleStopDoesNotReachTheNextPlayback()
{
    m_stop(); // nothing plays
    Recorder recorder;
    QCOMPARE(play(m_intro, 0, recorder), intptr_t(MP3_RESULT_DONE));
}

void TestMp3Library::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("result");
    QTest::newRow("missing file") << QStringLiteral("/no/such.mp3") << QByteArray()
                                  << int(MP3_RESULT_CANNOT_OPEN);
    QTest::newRow("not MPEG audio") << QStringLiteral(VERBARIUM_SAMPLE_DIR "/README.md")
                                    << QByteArray() << int(MP3_RESULT_CANNOT_OPEN);
    QTest::newRow("no such output")
        << QString() << QByteArray("no-such-driver:x") << int(MP3_RESULT_NO_OUTPUT);
}

void TestMp3Library::failures()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, output);
    QFETCH(int, result);
    if (!output.isEmpty())
        qputenv("VERBARIUM_AUDIO_OUT", output);
    Recorder recorder;
    QCOMPARE(play(file.isEmpty() ? m_intro : file, 0, recorder), intptr_t(result));
    QCOMPARE(recorder.stopResults, QList<intptr_t>{result});

    const QByteArray name = QFile::encodeName(file);
    Mp3Params params{name.constData(), 0, nullptr, 0};
    double length = -1, perFrame = -1;
    m_getTime(&params, &length, &perFrame);
    if (!file.isEmpty()) {
        QCOMPARE(length, 0.0);
        QCOMPARE(perFrame, 26.0);
    }
}

QTEST_GUILESS_MAIN(TestMp3Library)
#include "tst_mp3library.moc"
