// libFuzzer target: any bytes as a PCX picture. A picture decodes only from data that fills
// it; anything else gives a reason.

#include "FuzzCheck.h"
#include "PcxDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const QImage image = PcxDecoder::Decode(fuzzBytes(data, size), &error);
    check(image.isNull() != error.isEmpty());
    // A run of at most 63 bytes takes two bytes of data; a byte holds up to 8 pixels.
    check(qint64(image.width()) * image.height() <= 8 * 32 * qint64(size));
    return 0;
}
