#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG stream held in memory with libjpeg. A damaged or truncated stream gives a
// null image (and the reason in `error`), never a crash.
//
// The picture comes out as QImage::Format_RGB32 at the size the stream declares; grayscale,
// CMYK and YCCK streams are converted to RGB. A stream that ends early or whose compressed
// data is corrupt is refused rather than shown with the missing part padded grey. Pictures
// over 30000 pixels a side or 400 MB decoded, or more pixels than the stream's bytes can
// encode, are refused before anything is allocated.
// `error` is cleared on success.
namespace JpegDecoder {

QImage Decode(const QByteArray &data, QString *error = nullptr);

} // namespace JpegDecoder
