#pragma once

// What an MP3 file holds, read straight from its frame headers, to check the library against
// something it did not compute itself.

#include <QByteArray>

struct Mp3Facts
{
    int frames = 0; // audio frames, the Xing/Info frame not counted
    int sampleRate = 0;
    int samplesPerFrame = 0;
    double msPerFrame() const { return samplesPerFrame * 1000.0 / sampleRate; }
    double lengthMs() const { return frames * msPerFrame(); }
};

inline Mp3Facts readMp3Facts(const QByteArray &data)
{
    static const int bitratesV1[] = {0,   32,  40,  48,  56,  64,  80,  96,
                                     112, 128, 160, 192, 224, 256, 320, 0};
    static const int bitratesV2[] = {0,  8,  16, 24,  32,  40,  48,  56,
                                     64, 80, 96, 112, 128, 144, 160, 0};
    static const int rates[3][3] = {
        {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    Mp3Facts facts;
    qsizetype pos = 0;
    if (data.startsWith("ID3") && data.size() > 10) {
        const auto b = [&](int i) { return int(uchar(data[i])) & 0x7f; };
        pos = 10 + ((b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9));
    }
    bool first = true;
    while (pos + 4 <= data.size()) {
        const auto h = [&](int i) { return uchar(data[pos + i]); };
        if (h(0) != 0xff || (h(1) & 0xe0) != 0xe0) {
            ++pos;
            continue;
        }
        const int version = (h(1) >> 3) & 3; // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
        const int layer = (h(1) >> 1) & 3;   // 1: layer III
        const int bitrateIndex = h(2) >> 4;
        const int rateIndex = (h(2) >> 2) & 3;
        if (version == 1 || layer != 1 || rateIndex == 3 || bitrateIndex == 0 ||
            bitrateIndex == 15) {
            ++pos;
            continue;
        }
        const bool mpeg1 = version == 3;
        const int rate = rates[mpeg1 ? 0 : version == 2 ? 1 : 2][rateIndex];
        const int bitrate = (mpeg1 ? bitratesV1 : bitratesV2)[bitrateIndex] * 1000;
        const int length = (mpeg1 ? 144 : 72) * bitrate / rate + ((h(2) >> 1) & 1);
        const QByteArray frame = data.mid(pos, length);
        const bool infoFrame = first && (frame.contains("Xing") || frame.contains("Info"));
        if (!infoFrame)
            ++facts.frames;
        facts.sampleRate = rate;
        facts.samplesPerFrame = mpeg1 ? 1152 : 576;
        first = false;
        pos += length;
    }
    return facts;
}
