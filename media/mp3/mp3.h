#pragma once

// The contract of the MP3 library "mp3": four C functions that play a file on the calling
// thread and report through a notification sink. The program loads the library at run time.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Notification messages sent to the sink.
enum {
    MP3_MSG_FRAME = 12000,   // first parameter: the frame number just played
    MP3_MSG_SEEKED = 12001,  // a seek is done
    MP3_MSG_STOPPED = 12002, // second parameter: the result code
};

// Result codes "mp3play" leaves in the block and sends with MP3_MSG_STOPPED.
enum {
    MP3_RESULT_DONE = 0,          // played to the end
    MP3_RESULT_STOPPED = 1,       // ended by "mp3stop"
    MP3_RESULT_CANNOT_OPEN = -10, // the file cannot be opened or is not MPEG audio
    MP3_RESULT_NO_OUTPUT = -11,   // no audio output could be opened
    MP3_RESULT_DECODE_ERROR = -12,
};

// Receives the library's messages; called on the thread that runs "mp3play".
typedef struct Mp3Sink
{
    void (*notify)(struct Mp3Sink *sink, uint32_t message, uintptr_t first, intptr_t second);
} Mp3Sink;

// The parameter block. Every field is pointer-sized.
typedef struct Mp3Params
{
    const char *fileName; // zero-terminated, in the file system's encoding
    uintptr_t startFrame; // frame to start from; 0 for "mp3gettime"
    Mp3Sink *window;      // where the notifications go; may be null
    intptr_t result;      // set to 0 by the caller; the library leaves its result here
} Mp3Params;

// Plays the file from the start frame to its end or until "mp3stop", blocking the caller.
typedef void (*Mp3PlayFunction)(Mp3Params *params);
// Makes a running "mp3play" end soon; callable from any thread.
typedef void (*Mp3StopFunction)(void);
// Moves the running playback to the frame; callable from any thread.
typedef void (*Mp3SeekFunction)(uint32_t frame);
// The file's length and milliseconds per frame (0 and 26.0 when it cannot be read).
typedef void (*Mp3GetTimeFunction)(Mp3Params *params, double *lengthMs, double *msPerFrame);

#ifdef __cplusplus
}
#endif
