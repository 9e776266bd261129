#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends little-endian numbers, the variable-length numbers of topic records and
// NUL-terminated strings to a byte array.
class ByteWriter
{
public:
    QByteArray bytes;

    void u8(quint32 v) { bytes.append(char(v & 0xFF)); }
    void u16(quint32 v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void raw(QByteArrayView data) { bytes.append(data); }
    void zstring(QByteArrayView text)
    {
        bytes.append(text);
        bytes.append('\0');
    }
    void compressedUShort(quint32 v)
    {
        if (v < 0x80)
            u8(v * 2);
        else
            u16(v * 2 + 1);
    }
    void compressedShort(qint32 v)
    {
        if (v >= -64 && v < 64)
            u8(quint32(v + 64) * 2);
        else
            u16(quint32(v + 16384) * 2 + 1);
    }
    void compressedULong(quint32 v)
    {
        if (v < 0x8000)
            u16(v * 2);
        else
            u32(v * 2 + 1);
    }
    void compressedLong(qint32 v)
    {
        if (v >= -16384 && v < 16384)
            u16(quint32(v + 16384) * 2);
        else
            u32(quint32(v + 67108864) * 2 + 1);
    }
};
