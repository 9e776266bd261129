// libFuzzer target: any bytes as a JPEG stream, decoded as the program does.

#include "FuzzCheck.h"
#include "JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const QImage image = JpegDecoder::Decode(fuzzBytes(data, size), &error);
    check(image.isNull() != error.isEmpty());
    check(qint64(image.width()) * image.height() <= 512 * qint64(size));
    return 0;
}
