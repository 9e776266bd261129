#include "ByteReader.h"

#include "HelpFormatError.h"

void ByteReader::fail(const QString &problem) const
{
    throw HelpFormatError(QStringLiteral("%1: %2").arg(QLatin1StringView(m_what), problem));
}

void ByteReader::need(qint64 count) const
{
    if (count < 0 || count > remaining())
        fail(QStringLiteral("truncated at byte %1").arg(m_pos));
}

void ByteReader::seek(qint64 pos)
{
    if (pos < 0 || pos > m_bytes.size())
        fail(QStringLiteral("offset %1 past the end (%2 bytes)").arg(pos).arg(m_bytes.size()));
    m_pos = qsizetype(pos);
}

void ByteReader::skip(qint64 count)
{
    need(count);
    m_pos += qsizetype(count);
}

quint8 ByteReader::u8()
{
    need(1);
    return quint8(m_bytes[m_pos++]);
}

quint16 ByteReader::u16()
{
    need(2);
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.data() + m_pos);
    m_pos += 2;
    return quint16(p[0] | (p[1] << 8));
}

quint32 ByteReader::u32()
{
    need(4);
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.data() + m_pos);
    m_pos += 4;
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

QByteArrayView ByteReader::bytes(qint64 count)
{
    need(count);
    const QByteArrayView view = m_bytes.sliced(m_pos, qsizetype(count));
    m_pos += qsizetype(count);
    return view;
}

QByteArray ByteReader::zstring()
{
    const qsizetype end = m_bytes.indexOf('\0', m_pos);
    if (end < 0)
        fail(QStringLiteral("unterminated string at byte %1").arg(m_pos));
    const QByteArray text = m_bytes.sliced(m_pos, end - m_pos).toByteArray();
    m_pos = end + 1;
    return text;
}

quint16 ByteReader::compressedUShort()
{
    need(1);
    if ((quint8(m_bytes[m_pos]) & 1) == 0)
        return u8() / 2;
    return u16() / 2;
}

qint16 ByteReader::compressedShort()
{
    need(1);
    if ((quint8(m_bytes[m_pos]) & 1) == 0)
        return qint16(u8() / 2 - 64);
    return qint16(u16() / 2 - 16384);
}

quint32 ByteReader::compressedULong()
{
    need(1);
    if ((quint8(m_bytes[m_pos]) & 1) == 0)
        return u16() / 2;
    return u32() / 2;
}

qint32 ByteReader::compressedLong()
{
    need(1);
    if ((quint8(m_bytes[m_pos]) & 1) == 0)
        return qint32(u16() / 2) - 16384;
    return qint32(u32() / 2) - 67108864;
}
