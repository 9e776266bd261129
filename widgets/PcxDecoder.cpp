#include "PcxDecoder.h"

#include <QtEndian>

#include <vector>

namespace PcxDecoder {

namespace {

constexpr int kHeaderSize = 128;
constexpr int kMaxSide = 30000;
constexpr qint64 kMaxBytes = 400 * 1024 * 1024;

quint16 word(const uchar *bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes + offset);
}

QImage fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return QImage();
}

// Reads the run-length encoded stream that follows the header; runs may cross line and plane
// ends.
class RunReader
{
public:
    RunReader(const uchar *data, qsizetype size) : m_data(data), m_size(size) {}

    // Fills `out` with the next `count` bytes; false when the stream ends first.
    bool read(uchar *out, size_t count)
    {
        while (count > 0) {
            if (m_left == 0 && !nextRun())
                return false;
            const size_t taken = std::min(count, m_left);
            if (out) {
                std::fill_n(out, taken, m_value);
                out += taken;
            }
            m_left -= taken;
            count -= taken;
        }
        return true;
    }

private:
    bool nextRun()
    {
        if (m_at >= m_size)
            return false;
        m_value = m_data[m_at++];
        m_left = 1;
        if ((m_value & 0xC0) == 0xC0) {
            m_left = m_value & 0x3F;
            if (m_at >= m_size)
                return false;
            m_value = m_data[m_at++];
        }
        return true;
    }

    const uchar *m_data;
    qsizetype m_size;
    qsizetype m_at = kHeaderSize;
    uchar m_value = 0;
    size_t m_left = 0;
};

} // namespace

QImage Decode(const QByteArray &bytes, QString *error)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < kHeaderSize || data[0] != 0x0A)
        return fail(error, QStringLiteral("not a PCX file"));
    if (data[2] != 1)
        return fail(error, QStringLiteral("unsupported PCX encoding %1").arg(data[2]));
    const int bits = data[3];
    const int planes = data[65];
    const int width = int(word(data, 8)) - int(word(data, 4)) + 1;
    const int height = int(word(data, 10)) - int(word(data, 6)) + 1;
    const int bytesPerLine = word(data, 66);
    if (width <= 0 || height <= 0)
        return fail(error, QStringLiteral("bad PCX picture size"));
    if (width > kMaxSide || height > kMaxSide || qint64(width) * height * 4 > kMaxBytes)
        return fail(error, QStringLiteral("PCX picture too large"));

    const bool mono = bits == 1 && (planes == 1 || planes == 4);
    const bool nibbles = bits == 4 && planes == 1;
    const bool paletted = bits == 8 && planes == 1;
    const bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!mono && !nibbles && !paletted && !trueColour)
        return fail(
            error,
            QStringLiteral("unsupported PCX layout: %1 bits, %2 planes").arg(bits).arg(planes));
    if (qint64(bytesPerLine) * 8 < qint64(width) * bits)
        return fail(error, QStringLiteral("PCX lines shorter than the picture"));

    // The header alone may claim gigabytes: the stream is walked once without storing
    // anything, so nothing is allocated for data the file does not hold.
    const size_t lineBytes = size_t(bytesPerLine) * size_t(planes);
    if (!RunReader(data, size).read(nullptr, lineBytes * size_t(height)))
        return fail(error, QStringLiteral("PCX data ends early"));

    QImage image(width, height,
                 planes == 4 && trueColour ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return fail(error, QStringLiteral("out of memory"));

    QList<QRgb> palette;
    if (paletted) {
        // The 256-colour palette follows a 0x0C marker at the very end of the file.
        const bool hasPalette = size >= kHeaderSize + 769 && data[size - 769] == 0x0C;
        for (int i = 0; i < 256; ++i) {
            const uchar *rgb = data + size - 768 + i * 3;
            palette.append(hasPalette ? qRgb(rgb[0], rgb[1], rgb[2]) : qRgb(i, i, i));
        }
    } else if (mono || nibbles) {
        const uchar *rgb = data + 16;
        for (int i = 0; i < 16; ++i)
            palette.append(qRgb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]));
        // A two-colour file with an empty header palette is black on white.
        if (mono && planes == 1 && palette[0] == palette[1]) {
            palette[0] = qRgb(0, 0, 0);
            palette[1] = qRgb(255, 255, 255);
        }
    }

    RunReader runs(data, size);
    std::vector<uchar> lineBuffer(lineBytes);
    const uchar *line = lineBuffer.data();
    for (int y = 0; y < height; ++y) {
        runs.read(lineBuffer.data(), lineBytes);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (trueColour) {
                const uchar alpha = planes == 4 ? line[3 * bytesPerLine + x] : 0xFF;
                out[x] = qRgba(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x], alpha);
            } else if (paletted) {
                out[x] = palette[line[x]];
            } else if (nibbles) {
                out[x] = palette[(line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
            } else {
                // One bit per plane; the planes together give the colour's index.
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
                out[x] = palette[index];
            }
        }
    }
    if (error)
        error->clear();
    return image;
}

} // namespace PcxDecoder
