#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A broken promise of the code under test: libFuzzer keeps the input that led here.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The input as bytes, without a copy.
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}
