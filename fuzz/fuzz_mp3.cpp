// libFuzzer target: any bytes as a recording, read by libmpg123 from the MP3 library's memory
// reader: the scan for the length, a seek, and decoding to the end.

#include "MemoryFile.h"

#include <mpg123.h>

#include <cstdint>
#include <cstdio>

namespace {

struct Handle
{
    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    ~Handle()
    {
        if (handle) {
            mpg123_close(handle);
            mpg123_delete(handle);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MemoryFile memory;
    memory.assign(data, size);
    Handle decoder;
    if (!decoder.handle)
        return 0;
    mpg123_param(decoder.handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    if (!memory.open(decoder.handle))
        return 0;
    mpg123_scan(decoder.handle);
    mpg123_length(decoder.handle);
    if (size > 0)
        mpg123_seek_frame(decoder.handle, off_t(data[0] % 16), SEEK_SET);
    for (;;) {
        off_t frame = 0;
        unsigned char *audio = nullptr;
        size_t bytes = 0;
        const int status = mpg123_decode_frame(decoder.handle, &frame, &audio, &bytes);
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            break;
    }
    return 0;
}
