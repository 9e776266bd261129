#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// Reads little-endian numbers and strings from a span of bytes. Every read is checked against
// the end of the span; running past it throws HelpFormatError naming `what` was being read.
class ByteReader
{
public:
    ByteReader(QByteArrayView bytes, const char *what) : m_bytes(bytes), m_what(what) {}

    qsizetype pos() const { return m_pos; }
    qsizetype size() const { return m_bytes.size(); }
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    void seek(qint64 pos);
    void skip(qint64 count);

    quint8 u8();
    qint8 i8() { return qint8(u8()); }
    quint16 u16();
    qint16 i16() { return qint16(u16()); }
    quint32 u32();
    qint32 i32() { return qint32(u32()); }
    QByteArrayView bytes(qint64 count);
    // A NUL-terminated string; the terminator is consumed, not returned.
    QByteArray zstring();

    // The variable-length numbers of topic records: the low bit of the first byte chooses the
    // short or the long form.
    quint16 compressedUShort();
    qint16 compressedShort();
    quint32 compressedULong();
    qint32 compressedLong();

    [[noreturn]] void fail(const QString &problem) const;

private:
    void need(qint64 count) const;

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    const char *m_what;
};
