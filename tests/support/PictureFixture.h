#pragma once

// Pictures for test containers, encoded as the disc stores them.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

namespace fixture {

// A picture of one colour in `format` ("BMP", "JPG").
inline QByteArray picture(const char *format, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace fixture
