// The MP3 library: decodes with libmpg123 and plays through libout123, one file at a time on
// the thread that calls "mp3play". Stop and seek requests reach the play loop as atomics.

#include "mp3.h"

#include "AudioOutput.h"
#include "MemoryFile.h"

#include <mpg123.h>
#include <out123.h>

#include <atomic>
#include <cstdio>

#define MP3_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::atomic<bool> stopRequested{false};
std::atomic<int64_t> seekRequest{-1};

struct Decoder
{
    mpg123_handle *handle = nullptr;
    MemoryFile memory;

    ~Decoder()
    {
        if (handle) {
            mpg123_close(handle);
            mpg123_delete(handle);
        }
    }
    bool open(const char *fileName)
    {
        handle = mpg123_new(nullptr, nullptr);
        if (!handle)
            return false;
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
        if (memory.load(fileName))
            return memory.open(handle);
        // Too large to hold: the decoder reads the file itself.
        return mpg123_open(handle, fileName) == MPG123_OK;
    }
};

struct Output
{
    out123_handle *handle = out123_new();
    ~Output()
    {
        if (handle)
            out123_del(handle);
    }
};

void notify(Mp3Params *params, uint32_t message, uintptr_t first, intptr_t second)
{
    if (params->window && params->window->notify)
        params->window->notify(params->window, message, first, second);
}

intptr_t play(Mp3Params *params)
{
    Decoder decoder;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (!params->fileName || !decoder.open(params->fileName) ||
        mpg123_getformat(decoder.handle, &rate, &channels, &encoding) != MPG123_OK)
        return MP3_RESULT_CANNOT_OPEN;

    Output output;
    if (!output.handle)
        return MP3_RESULT_NO_OUTPUT;
    out123_param_int(output.handle, OUT123_FLAGS, OUT123_QUIET);
    if (!AudioOutput::open(output.handle) ||
        out123_start(output.handle, rate, channels, encoding) != OUT123_OK)
        return MP3_RESULT_NO_OUTPUT;

    if (params->startFrame > 0)
        mpg123_seek_frame(decoder.handle, off_t(params->startFrame), SEEK_SET);

    intptr_t result = MP3_RESULT_DONE;
    for (;;) {
        if (stopRequested.load()) {
            result = MP3_RESULT_STOPPED;
            break;
        }
        if (const int64_t frame = seekRequest.exchange(-1); frame >= 0) {
            mpg123_seek_frame(decoder.handle, off_t(frame), SEEK_SET);
            notify(params, MP3_MSG_SEEKED, 0, 0);
        }
        off_t frame = 0;
        unsigned char *audio = nullptr;
        size_t bytes = 0;
        const int status = mpg123_decode_frame(decoder.handle, &frame, &audio, &bytes);
        if (status == MPG123_DONE)
            break;
        if (status == MPG123_NEW_FORMAT) {
            // A stream may change its format; the output follows it.
            mpg123_getformat(decoder.handle, &rate, &channels, &encoding);
            out123_stop(output.handle);
            if (out123_start(output.handle, rate, channels, encoding) != OUT123_OK) {
                result = MP3_RESULT_NO_OUTPUT;
                break;
            }
            continue;
        }
        if (status != MPG123_OK) {
            result = MP3_RESULT_DECODE_ERROR;
            break;
        }
        if (bytes > 0)
            out123_play(output.handle, audio, bytes);
        notify(params, MP3_MSG_FRAME, uintptr_t(frame), 0);
    }
    if (result == MP3_RESULT_STOPPED)
        out123_drop(output.handle);
    else
        out123_drain(output.handle);
    out123_stop(output.handle);
    out123_close(output.handle);
    return result;
}

} // namespace

MP3_EXPORT void mp3play(Mp3Params *params)
{
    // Requests left over from an earlier playback do not reach this one. A stop that comes
    // before this point is the caller's to repeat (the program does so from the sink).
    stopRequested.store(false);
    seekRequest.store(-1);
    params->result = play(params);
    notify(params, MP3_MSG_STOPPED, 0, params->result);
}

MP3_EXPORT void mp3stop(void)
{
    stopRequested.store(true);
}

MP3_EXPORT void mp3seek(uint32_t frame)
{
    seekRequest.store(int64_t(frame));
}

MP3_EXPORT void mp3gettime(Mp3Params *params, double *lengthMs, double *msPerFrame)
{
    if (!lengthMs || !msPerFrame)
        return;
    *lengthMs = 0;
    *msPerFrame = 26.0;
    Decoder decoder;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (!params || !params->fileName || !decoder.open(params->fileName) ||
        mpg123_scan(decoder.handle) != MPG123_OK ||
        mpg123_getformat(decoder.handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
        return;
    const off_t samples = mpg123_length(decoder.handle);
    const int samplesPerFrame = mpg123_spf(decoder.handle);
    if (samples >= 0)
        *lengthMs = double(samples) * 1000.0 / double(rate);
    if (samplesPerFrame > 0)
        *msPerFrame = double(samplesPerFrame) * 1000.0 / double(rate);
}
