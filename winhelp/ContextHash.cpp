#include "ContextHash.h"

#include <array>

namespace {

// Letters weigh 17..42 in either case, '1'..'9' 1..9, '0' 10, '.' 12 and '_' 13; the other
// bytes follow the help compiler's own table, whose weights may be negative.
constexpr std::array<qint8, 256> makeWeights()
{
    std::array<qint8, 256> w{};
    for (int c = 0; c < 256; ++c) {
        int v;
        if (c == 0)
            v = 0;
        else if (c < 0x30)
            v = c + 0xD0;
        else if (c >= 0x60 && c < 0x80)
            v = c - 0x50;
        else
            v = c - 0x30;
        w[size_t(c)] = qint8(quint8(v));
    }
    w['0'] = 10;
    w['!'] = 11;
    w['.'] = 12;
    w['['] = 11;
    w['\\'] = 12;
    w[']'] = 13;
    w['^'] = 14;
    w['_'] = 13;
    w[0xB4] = 11;
    return w;
}

constexpr std::array<qint8, 256> Weights = makeWeights();

} // namespace

qint32 contextHash(QByteArrayView name)
{
    if (name.isEmpty())
        return 1;
    quint32 hash = 0;
    for (char c : name)
        hash = hash * 43 + quint32(qint32(Weights[quint8(c)]));
    return qint32(hash);
}
