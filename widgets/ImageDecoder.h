#pragma once

#include <QImage>
#include <QString>

// Reads a picture file into an image, the decoder chosen by the file's extension (any case):
// .bmp, .gif, .png, .tif/.tiff through Qt's image readers, .jpg/.jpeg and .pcx by our own
// decoders. A missing, damaged or unknown file gives a null image and the reason in `error`.
namespace ImageDecoder {

QImage Load(const QString &path, QString *error = nullptr);

} // namespace ImageDecoder
