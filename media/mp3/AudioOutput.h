#pragma once

struct out123_struct;

// Opens the sound output: the live outputs in order (PulseAudio, then ALSA), unless
// VERBARIUM_AUDIO_OUT names another as DRIVER:DEVICE, e.g. "wav:/tmp/out.wav" for libout123's
// WAV file writer.
namespace AudioOutput {

bool open(out123_struct *output);
// Whether an output can be opened now: a live one, or the one the variable names.
bool available();

} // namespace AudioOutput
