#include "AudioOutput.h"

#include <out123.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace AudioOutput {

bool open(out123_struct *output)
{
    if (const char *chosen = std::getenv("VERBARIUM_AUDIO_OUT"); chosen && *chosen) {
        const std::string spec(chosen);
        const size_t colon = spec.find(':');
        const std::string driver = spec.substr(0, colon);
        const std::string device =
            colon == std::string::npos ? std::string() : spec.substr(colon + 1);
        return out123_open(output, driver.c_str(), device.empty() ? nullptr : device.c_str()) ==
               OUT123_OK;
    }
    for (const char *driver : {"pulse", "alsa"}) {
        if (out123_open(output, driver, nullptr) == OUT123_OK)
            return true;
    }
    return false;
}

bool available()
{
    const std::unique_ptr<out123_handle, decltype(&out123_del)> output(out123_new(), &out123_del);
    if (!output)
        return false;
    out123_param_int(output.get(), OUT123_FLAGS, OUT123_QUIET);
    const bool ok = open(output.get());
    out123_close(output.get());
    return ok;
}

} // namespace AudioOutput
