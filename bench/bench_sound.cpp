// bench_sound: times narration on the demo data, with the WAV writer as output.
//
//   bench_sound DATA_FOLDER [RUNS] [OUTPUT]
//
// OUTPUT is an audio output as VERBARIUM_AUDIO_OUT names it; by default the WAV writer into a
// temporary file ("test:" discards the sound, which leaves decoding alone).
// Figures, each beside the same work done with libmpg123 alone:
//   first_frame  from PlayNarration to the first frame written (the player hears of it)
//   play_cpu     CPU time of playing the longest narration of the "Glosy" folder through
//                the whole program path (extraction, library, WAV writer)
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ProgramFixture.h"
#include "TM3Player.h"
#include "TPSSDirectory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Decodes the file with libmpg123 alone: to its first frame, or all of it.
void decode(const QByteArray &file, bool firstFrameOnly)
{
    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    if (mpg123_open(handle, file.constData()) == MPG123_OK) {
        off_t frame;
        unsigned char *audio;
        size_t bytes;
        for (int status = MPG123_OK; status == MPG123_OK || status == MPG123_NEW_FORMAT;) {
            status = mpg123_decode_frame(handle, &frame, &audio, &bytes);
            if (firstFrameOnly && status == MPG123_OK && bytes > 0)
                break;
        }
    }
    mpg123_close(handle);
    mpg123_delete(handle);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_sound DATA_FOLDER [RUNS] [OUTPUT]\n");
        return 64;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 20;
    QTemporaryDir dir;
    const QByteArray output =
        argc > 3 ? QByteArray(argv[3])
                 : "wav:" + QFile::encodeName(dir.filePath(QStringLiteral("out.wav")));
    qputenv("VERBARIUM_AUDIO_OUT", output);

    ProgramFixture program;
    if (!program.openDataFolder(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "bench_sound: no Verbarium.dat in %s\n", argv[1]);
        return 2;
    }
    TData &data = program.data();
    TPulpit::Environment environment;
    environment.soundAvailable = true;
    environment.mp3Library = QStringLiteral(VERBARIUM_MP3_LIBRARY);
    TPulpit &pulpit = program.startPulpit(environment);
    TM3Player *player = pulpit.M3Play();

    // The longest narration of "Glosy", by the sound fragments that name them.
    QString longest;
    QString longestFile;
    double longestMs = 0;
    for (const QString &numer : data.directory()->ListNumbers(QStringLiteral("_19721"))) {
        QStringList fields;
        data.directory()->ReadFields(QStringLiteral("_19721"), numer, fields);
        for (const QString &line : fields) {
            if (!line.startsWith(QStringLiteral("Link="), Qt::CaseInsensitive))
                continue;
            const QString name = line.mid(5);
            const QString file = data.GetSoundFile(QStringLiteral("glosy"), name);
            TM3Player probe(nullptr, QStringLiteral(VERBARIUM_MP3_LIBRARY));
            probe.SetFileName(file);
            if (probe.TrackTime() > longestMs) {
                longestMs = probe.TrackTime();
                longest = name;
                longestFile = file;
            }
        }
    }
    if (longest.isEmpty()) {
        std::fprintf(stderr, "bench_sound: no narration in the data\n");
        return 2;
    }
    const QByteArray encoded = QFile::encodeName(longestFile);

    std::vector<double> firstFrame, firstFloor, cpu, cpuFloor;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        double toFirst = -1;
        QEventLoop loop;
        const auto frames = QObject::connect(player, &TM3Player::OnFrameChange, [&] {
            if (toFirst < 0)
                toFirst = double(timer.nsecsElapsed()) / 1e6;
        });
        const auto done =
            QObject::connect(player, &TM3Player::OnTerminate, &loop, &QEventLoop::quit);
        const double cpuBefore = bench::cpuSeconds();
        timer.start();
        pulpit.PlayNarration(QStringLiteral("Glosy"), longest);
        loop.exec();
        cpu.push_back(bench::cpuSeconds() - cpuBefore);
        firstFrame.push_back(toFirst);
        QObject::disconnect(frames);
        QObject::disconnect(done);

        // The extracted file is deleted after playing; the floor decodes a copy.
        if (!QFile::exists(longestFile))
            data.GetSoundFile(QStringLiteral("glosy"), longest);
        QElapsedTimer floorTimer;
        floorTimer.start();
        decode(encoded, true);
        firstFloor.push_back(double(floorTimer.nsecsElapsed()) / 1e6);
        const double floorBefore = bench::cpuSeconds();
        decode(encoded, false);
        cpuFloor.push_back(bench::cpuSeconds() - floorBefore);
        QFile::remove(longestFile);
    }
    std::fprintf(stderr, "narration \"%s\", %.1f s, %d runs\n", qPrintable(longest),
                 longestMs / 1000, runs);
    bench::report("first_frame", "ms", bench::median(firstFrame), bench::median(firstFloor));
    bench::report("play_cpu", "ms", bench::median(cpu) * 1000, bench::median(cpuFloor) * 1000);
    return 0;
}
