#include "HelpPicture.h"

#include "ByteReader.h"
#include "HelpFormatError.h"
#include "Lz77.h"

#include <QByteArray>

namespace {

constexpr qint64 MaxPixels = 16 * 1024 * 1024;
constexpr int MaxSide = 32767;

QByteArray unRunLength(QByteArrayView input, qsizetype limit)
{
    QByteArray out;
    qsizetype i = 0;
    while (i < input.size() && out.size() < limit) {
        const quint8 n = quint8(input[i++]);
        if (n & 0x80) {
            const qsizetype count = qMin<qsizetype>(n & 0x7F, input.size() - i);
            out.append(input.sliced(i, count));
            i += count;
        } else if (i < input.size()) {
            out.append(QByteArray(n, input[i++]));
        }
    }
    out.truncate(limit);
    return out;
}

QByteArray unpack(QByteArrayView packed, int packing, qsizetype limit, const char *what)
{
    switch (packing) {
    case 0:
        return packed.first(qMin(packed.size(), limit)).toByteArray();
    case 1:
        return unRunLength(packed, limit);
    case 2:
        return Lz77::decompress(packed, limit, what);
    case 3:
        return unRunLength(Lz77::decompress(packed, limit * 2 + 1024, what), limit);
    default:
        throw HelpFormatError(QStringLiteral("%1: unknown picture packing %2")
                                  .arg(QLatin1StringView(what))
                                  .arg(packing));
    }
}

quint32 rgb(quint32 colourRef)
{
    // Palette entries are stored blue, green, red, reserved.
    return 0xFF000000u | (colourRef & 0x00FFFFFF);
}

} // namespace

HelpPicture HelpPicture::decode(QByteArrayView data, const char *what)
{
    ByteReader header(data, what);
    header.u16();
    const int count = header.u16();
    if (count < 1 || qint64(count) * 4 > header.remaining())
        header.fail(QStringLiteral("picture count %1 larger than the file holds").arg(count));
    // The first picture of a multi-resolution file serves; any of them would do.
    const quint32 start = header.u32();
    header.seek(start);

    const int type = header.u8();
    const int packing = header.u8();
    HelpPicture picture;
    if (type == 8) {
        header.compressedUShort();
        picture.width = qBound(0, int(header.u16()), MaxSide);
        picture.height = qBound(0, int(header.u16()), MaxSide);
        picture.metafile = true;
        return picture;
    }
    if (type != 5 && type != 6)
        header.fail(QStringLiteral("unknown picture type %1").arg(type));

    header.compressedULong();
    header.compressedULong();
    header.compressedUShort();
    const int bitCount = header.compressedUShort();
    const quint32 width = header.compressedULong();
    const quint32 height = header.compressedULong();
    quint32 colours = header.compressedULong();
    header.compressedULong();
    const quint32 packedSize = header.compressedULong();
    header.compressedULong();
    const quint32 dataOffset = header.u32();
    header.u32();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        header.fail(QStringLiteral("unsupported %1 bits per pixel").arg(bitCount));
    if (width == 0 || height == 0 || width > MaxSide || height > MaxSide ||
        qint64(width) * height > MaxPixels)
        header.fail(QStringLiteral("picture of %1 × %2 pixels").arg(width).arg(height));

    QList<quint32> palette;
    if (bitCount <= 8) {
        if (colours == 0 || colours > (1u << bitCount))
            colours = 1u << bitCount;
        if (type == 6) {
            for (quint32 i = 0; i < colours; ++i)
                palette.append(rgb(header.u32()));
        } else {
            // Device-dependent bitmaps carry no palette: black and white, then greys.
            for (quint32 i = 0; i < colours; ++i) {
                const quint32 level = colours > 1 ? 255 * i / (colours - 1) : 0;
                palette.append(0xFF000000u | (level << 16) | (level << 8) | level);
            }
        }
    }

    // Rows are padded to 4 bytes in device-independent bitmaps and to 2 in the others;
    // the former are stored bottom row first.
    const int align = type == 6 ? 4 : 2;
    const qint64 stride = ((qint64(width) * bitCount + 8 * align - 1) / (8 * align)) * align;
    header.seek(start);
    header.skip(dataOffset);
    const QByteArrayView packed = header.bytes(qMin<qint64>(packedSize, header.remaining()));
    const QByteArray bits = unpack(packed, packing, qsizetype(stride * height), what);
    if (bits.size() < stride * height)
        header.fail(
            QStringLiteral("picture data %1 bytes short").arg(stride * height - bits.size()));

    picture.width = int(width);
    picture.height = int(height);
    picture.pixels.resize(qsizetype(width) * height);
    const auto *raw = reinterpret_cast<const uchar *>(bits.constData());
    for (quint32 y = 0; y < height; ++y) {
        const uchar *line = raw + stride * (type == 6 ? height - 1 - y : y);
        quint32 *out = picture.pixels.data() + qsizetype(y) * width;
        for (quint32 x = 0; x < width; ++x) {
            quint32 index = 0;
            switch (bitCount) {
            case 1:
                index = (line[x / 8] >> (7 - x % 8)) & 1;
                break;
            case 4:
                index = (line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                break;
            case 8:
                index = line[x];
                break;
            case 24:
                out[x] =
                    0xFF000000u | (line[3 * x + 2] << 16) | (line[3 * x + 1] << 8) | line[3 * x];
                continue;
            case 32:
                out[x] =
                    0xFF000000u | (line[4 * x + 2] << 16) | (line[4 * x + 1] << 8) | line[4 * x];
                continue;
            }
            out[x] = index < quint32(palette.size()) ? palette.at(index) : 0xFF000000u;
        }
    }
    return picture;
}
