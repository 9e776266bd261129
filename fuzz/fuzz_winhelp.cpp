// libFuzzer target: any bytes as a WinHelp file, then everything the viewer may ask of it.
// A damaged file must be refused with HelpFormatError, at opening or when a part is read;
// nothing may crash, hang or read out of bounds.

#include "HelpFormatError.h"
#include "WinHelpFile.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const WinHelpFile help(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        const auto &topics = help.topics();
        for (int i = 0; i < int(topics.size()); ++i) {
            const int found = help.topicIndexAt(topics.at(i).offset);
            check(found >= 0 && topics.at(found).offset == topics.at(i).offset);
        }
        // Parsing is bounded per topic; a sample keeps runs fast.
        for (int i = 0; i < std::min<int>(int(topics.size()), 16); ++i) {
            try {
                const HelpTopic topic = help.topic(i);
                check(topic.plainLines().size() == topic.paragraphs.size());
            } catch (const HelpFormatError &) {
            }
        }
        try {
            help.titles();
        } catch (const HelpFormatError &) {
        }
        for (int n = 0; n < 4; ++n) {
            try {
                const HelpPicture picture = help.picture(n);
                check(picture.metafile ||
                      picture.pixels.size() == qsizetype(picture.width) * picture.height);
            } catch (const HelpFormatError &) {
            }
        }
        help.contextNumber(4001);
        help.contextName("contents");
    } catch (const HelpFormatError &) {
        // A refused file is a correct answer.
    }
    return 0;
}
