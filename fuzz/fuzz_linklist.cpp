// libFuzzer target: any text as the value of a relation field ("12;34").

#include "FuzzCheck.h"
#include "TLinkList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString value = QString::fromUtf8(fuzzBytes(data, size));
    TLinkList links;
    const int count = links.LoadFromValue(QStringLiteral("_19701"), value);
    check(count == links.Count() && count <= value.count(u';') + 1);
    for (int i = 0; i < count; ++i) {
        QString typ;
        QString numer;
        check(links.GetLink(i, typ, numer) && typ == u"_19701" && !numer.contains(u';'));
    }
    return 0;
}
