// libFuzzer target: any bytes as a container, then everything a reader may ask of it.
// A damaged file must be refused with ContentError; an accepted one must answer every
// lookup for what it holds.

#include "ContentError.h"
#include "FuzzCheck.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        auto container = std::make_unique<TSimplePSS>(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
            QStringLiteral("fuzz"));
        qint64 total = 0;
        for (int i = 0; i < container->count(); ++i) {
            const TSimplePSS::Entry entry = container->entryAt(i);
            QByteArray stream;
            check(container->ReadEntry(entry.name, stream));
            check(entry.size >= 0 && size_t(stream.size()) <= size);
            total += entry.size;
        }
        check(total <= qint64(size));

        QByteArray index;
        if (container->ReadEntry("L197\\UnidX", index))
            TPSSDirectory::itemIndexProblem(index);

        TPSSDirectory directory(std::move(container));
        // The checks per item walk the whole index; a bounded sample keeps runs fast.
        for (int i = 0; i < std::min(directory.ItemCount(), 32); ++i) {
            const TItemInfo &item = directory.itemAt(i);
            check(directory.FindItem(item.Typ(), item.Numer()) >= 0);
            check(directory.FindByUnid(item.Unid()) != nullptr);
            QStringList lines;
            directory.ReadFields(item.Typ(), item.Numer(), lines);
            directory.ReadText(item.Typ(), item.Numer(), lines);
            check(!directory.ListNumbers(item.Typ()).isEmpty());
        }
    } catch (const ContentError &) {
        // A refused file is a correct answer.
    }
    return 0;
}
