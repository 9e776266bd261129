#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The LZ77 variant of help files: a flag byte read from its lowest bit, each bit choosing a
// literal byte or a 16-bit word (12-bit distance, 4-bit length + 3) copied from earlier output.
namespace Lz77 {

// Decompresses at most `limit` bytes. A copy reaching before the start of the output throws
// HelpFormatError, naming `what`.
QByteArray decompress(QByteArrayView input, qsizetype limit, const char *what);

// Compresses as much of `input` as fits into `capacity` output bytes; `consumed` tells how
// many input bytes that was. Without a capacity, compresses all of it. Bytes marked in
// `literal` (one flag per input byte) are stored as they are and never copied from, so their
// values do not change the size of the output.
QByteArray compress(QByteArrayView input, qsizetype capacity = -1, qsizetype *consumed = nullptr,
                    const bool *literal = nullptr);

} // namespace Lz77
