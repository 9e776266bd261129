#include "Lz77.h"

#include "HelpFormatError.h"

#include <QString>

#include <array>
#include <vector>

namespace Lz77 {

QByteArray decompress(QByteArrayView input, qsizetype limit, const char *what)
{
    // The output never exceeds eight copies of 18 bytes per input byte, nor the limit.
    const qsizetype capacity = qMin<qsizetype>(limit, input.size() * 18 * 8 / 3 + 8);
    QByteArray out(capacity, Qt::Uninitialized);
    char *data = out.data();
    qsizetype size = 0;
    qsizetype in = 0;
    while (in < input.size() && size < capacity) {
        const quint8 flags = quint8(input[in++]);
        for (int bit = 0; bit < 8 && in < input.size() && size < capacity; ++bit) {
            if ((flags & (1 << bit)) == 0) {
                data[size++] = input[in++];
                continue;
            }
            if (in + 2 > input.size())
                break; // a flag for a word the data no longer holds: the stream's padding
            const quint16 word = quint16(quint8(input[in]) | (quint8(input[in + 1]) << 8));
            in += 2;
            const qsizetype distance = (word & 0x0FFF) + 1;
            if (distance > size)
                throw HelpFormatError(
                    QStringLiteral("%1: LZ77 copy from before the start of the data")
                        .arg(QLatin1StringView(what)));
            // Copies may overlap what they write, so they go one byte at a time.
            const qsizetype length = qMin<qsizetype>((word >> 12) + 3, capacity - size);
            const char *from = data + size - distance;
            for (qsizetype i = 0; i < length; ++i)
                data[size + i] = from[i];
            size += length;
        }
    }
    out.truncate(size);
    return out;
}

QByteArray compress(QByteArrayView input, qsizetype capacity, qsizetype *consumed,
                    const bool *literal)
{
    const auto fixed = [&](qsizetype i) { return literal && literal[i]; };
    constexpr qsizetype Window = 4096;
    constexpr int MaxLength = 18;
    constexpr int MaxChain = 64;
    if (capacity < 0)
        capacity = input.size() * 2 + 16;

    // Hash chains over three-byte prefixes find earlier matches within the window.
    std::array<int, 4096> head;
    head.fill(-1);
    std::vector<int> previous(size_t(input.size()), -1);
    const auto hashAt = [&](qsizetype i) {
        return ((quint8(input[i]) << 4) ^ (quint8(input[i + 1]) << 2) ^ quint8(input[i + 2])) &
               0xFFF;
    };
    const auto insert = [&](qsizetype i) {
        if (i + 2 < input.size() && !fixed(i) && !fixed(i + 1) && !fixed(i + 2)) {
            const int h = hashAt(i);
            previous[size_t(i)] = head[size_t(h)];
            head[size_t(h)] = int(i);
        }
    };

    QByteArray out;
    qsizetype pos = 0;
    qsizetype flagAt = -1;
    int bit = 8;
    while (pos < input.size()) {
        int bestLength = 0;
        qsizetype bestFrom = 0;
        if (pos + 2 < input.size() && !fixed(pos) && !fixed(pos + 1) && !fixed(pos + 2)) {
            int candidate = head[size_t(hashAt(pos))];
            for (int chain = 0; candidate >= 0 && chain < MaxChain && pos - candidate <= Window;
                 ++chain, candidate = previous[size_t(candidate)]) {
                int length = 0;
                while (length < MaxLength && pos + length < input.size() && !fixed(pos + length) &&
                       !fixed(candidate + length) &&
                       input[candidate + length] == input[pos + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = candidate;
                }
            }
        }
        // Near the capacity a literal may still fit where a copy does not; a block must end
        // exactly at its data, since a stray byte after it would decompress to more.
        const qsizetype flagCost = bit == 8 ? 1 : 0;
        bool copy = bestLength >= 3 && out.size() + flagCost + 2 <= capacity;
        if (!copy && out.size() + flagCost + 1 > capacity)
            break;
        if (bit == 8) {
            flagAt = out.size();
            out.append('\0');
            bit = 0;
        }
        if (copy) {
            out[flagAt] = char(quint8(out[flagAt]) | (1 << bit));
            const quint16 word = quint16(((bestLength - 3) << 12) | (pos - bestFrom - 1));
            out.append(char(word & 0xFF));
            out.append(char(word >> 8));
            for (int i = 0; i < bestLength; ++i)
                insert(pos++);
        } else {
            out.append(input[pos]);
            insert(pos++);
        }
        ++bit;
    }
    if (consumed)
        *consumed = pos;
    return out;
}

} // namespace Lz77
