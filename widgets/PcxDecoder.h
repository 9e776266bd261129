#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a PCX picture held in memory: run-length encoded, 1 bit in 1 or 4 planes, 4 bits in
// 1 plane (16 colours of the header palette), 8 bits in 1 plane (256-colour palette at the end
// of the file, grey when it is missing) and 8 bits in 3 or 4 planes (true colour; a fourth
// plane is alpha). A damaged or truncated file gives a null image and the reason in `error`,
// never a crash. Pictures over 30000 pixels a side or 400 MB decoded are refused, and nothing
// is allocated before the data is known to fill the whole picture.
namespace PcxDecoder {

QImage Decode(const QByteArray &data, QString *error = nullptr);

} // namespace PcxDecoder
