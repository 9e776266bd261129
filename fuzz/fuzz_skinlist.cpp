// libFuzzer target: any bytes as the skin's picture list, "Imglst.lst".

#include "FuzzCheck.h"
#include "SkinImageList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SkinImageList list(fuzzBytes(data, size));
    check(list.entries().size() <= qsizetype(size) / 2);
    for (const SkinImageList::Entry &entry : list.entries())
        check(!entry.component.isEmpty() && !entry.component.contains(u'\n'));
    return 0;
}
