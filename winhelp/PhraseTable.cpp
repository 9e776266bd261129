#include "PhraseTable.h"

#include "ByteReader.h"
#include "HelpFileSystem.h"
#include "HelpFormatError.h"
#include "Lz77.h"

#include <QString>

namespace {

constexpr qsizetype MaxPhraseText = 16 * 1024 * 1024;

} // namespace

PhraseTable::PhraseTable(const HelpFileSystem &files, bool before31)
{
    if (files.contains(QByteArrayLiteral("|Phrases"))) {
        readClassic(files.file(QByteArrayLiteral("|Phrases")), before31);
        m_kind = Classic;
    } else if (files.contains(QByteArrayLiteral("|PhrIndex"))) {
        if (!files.contains(QByteArrayLiteral("|PhrImage")))
            throw HelpFormatError(QStringLiteral("|PhrIndex without |PhrImage"));
        readHall(files.file(QByteArrayLiteral("|PhrIndex")),
                 files.file(QByteArrayLiteral("|PhrImage")));
        m_kind = Hall;
    }
}

void PhraseTable::readClassic(QByteArrayView file, bool before31)
{
    ByteReader reader(file, "|Phrases");
    const int count = reader.u16();
    if (reader.u16() != 0x0100)
        reader.fail(QStringLiteral("unknown phrase table layout"));
    quint32 expandedSize = 0;
    if (!before31)
        expandedSize = reader.u32();
    QList<quint32> offsets;
    offsets.reserve(count + 1);
    for (int i = 0; i <= count; ++i)
        offsets.append(reader.u16());
    const QByteArrayView rest = reader.bytes(reader.remaining());
    if (before31) {
        m_text = rest.toByteArray();
    } else {
        if (expandedSize > MaxPhraseText)
            reader.fail(QStringLiteral("phrase text of %1 bytes is too large").arg(expandedSize));
        m_text = Lz77::decompress(rest, qsizetype(expandedSize), "|Phrases");
    }
    setPhrases(offsets, offsets.constFirst());
}

void PhraseTable::readHall(QByteArrayView index, QByteArrayView image)
{
    ByteReader reader(index, "|PhrIndex");
    reader.u32();
    const quint32 count = reader.u32();
    reader.u32();
    const quint32 imageSize = reader.u32();
    const quint32 imageCompressedSize = reader.u32();
    reader.u32();
    const int bitCount = reader.u16() & 0x0F;
    reader.u16();
    // Every phrase takes at least one bit of the index.
    if (qint64(count) > reader.remaining() * 8)
        reader.fail(QStringLiteral("phrase count %1 larger than the index holds").arg(count));
    if (imageSize > MaxPhraseText)
        reader.fail(QStringLiteral("phrase text of %1 bytes is too large").arg(imageSize));

    // Lengths are coded one after another in a bit stream read from the lowest bit up.
    qsizetype bitPos = 0;
    const QByteArrayView bits = reader.bytes(reader.remaining());
    const auto nextBit = [&]() {
        if (bitPos >= bits.size() * 8)
            reader.fail(QStringLiteral("phrase lengths run past the end"));
        const bool set = (quint8(bits[bitPos / 8]) >> (bitPos % 8)) & 1;
        ++bitPos;
        return set;
    };
    QList<quint32> offsets{0};
    offsets.reserve(qsizetype(count) + 1);
    quint32 total = 0;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 1;
        while (nextBit()) {
            length += 1u << bitCount;
            if (length > imageSize)
                reader.fail(QStringLiteral("phrase %1 longer than the phrase text").arg(i));
        }
        for (int b = 0; b < bitCount; ++b)
            if (nextBit())
                length += 1u << b;
        total += length;
        if (total > imageSize)
            reader.fail(QStringLiteral("phrases longer than the phrase text"));
        offsets.append(total);
    }
    if (imageSize != imageCompressedSize)
        m_text = Lz77::decompress(image, qsizetype(imageSize), "|PhrImage");
    else
        m_text = image.first(qMin(image.size(), qsizetype(imageSize))).toByteArray();
    setPhrases(offsets, 0);
}

void PhraseTable::setPhrases(const QList<quint32> &offsets, qint64 base)
{
    for (qsizetype i = 0; i + 1 < offsets.size(); ++i) {
        const qint64 from = qint64(offsets[i]) - base;
        const qint64 to = qint64(offsets[i + 1]) - base;
        if (from < 0 || to < from || to > m_text.size())
            throw HelpFormatError(QStringLiteral("phrase %1 lies outside the phrase text").arg(i));
        m_phrases.append(QByteArrayView(m_text).sliced(qsizetype(from), qsizetype(to - from)));
    }
}

QByteArrayView PhraseTable::checkedPhrase(qint64 number) const
{
    if (number < 0 || number >= m_phrases.size())
        throw HelpFormatError(QStringLiteral("phrase %1 out of range (%2 phrases)")
                                  .arg(number)
                                  .arg(m_phrases.size()));
    return m_phrases.at(qsizetype(number));
}

QByteArray PhraseTable::expand(QByteArrayView text, qsizetype limit) const
{
    QByteArray out;
    out.reserve(limit);
    qsizetype i = 0;
    const auto next = [&]() -> quint8 {
        if (i >= text.size())
            throw HelpFormatError(QStringLiteral("phrase code cut off at the end of the text"));
        return quint8(text[i++]);
    };
    while (i < text.size() && out.size() < limit) {
        const quint8 c = next();
        if (m_kind == Classic) {
            if (c == 0 || c > 15) {
                out.append(char(c));
                continue;
            }
            const int code = 256 * c - 256 + next();
            out.append(checkedPhrase(code / 2));
            if (code & 1)
                out.append(' ');
        } else if ((c & 1) == 0) {
            out.append(checkedPhrase(c / 2));
        } else if ((c & 3) == 1) {
            out.append(checkedPhrase(qint64(c) * 64 + 64 + next()));
        } else if ((c & 7) == 3) {
            const int n = c / 8 + 1;
            for (int k = 0; k < n; ++k)
                out.append(char(next()));
        } else if ((c & 15) == 7) {
            out.append(QByteArray(c / 16 + 1, ' '));
        } else {
            out.append(QByteArray(c / 16 + 1, '\0'));
        }
    }
    out.truncate(limit);
    return out;
}
