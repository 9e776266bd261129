#include "PhraseBuilder.h"

#include "ByteWriter.h"
#include "Lz77.h"

#include <algorithm>

namespace {

constexpr int MaxPhrases = 1024;
constexpr qsizetype MaxClassicText = 60000; // offsets are 16-bit

bool separator(char c)
{
    return c == ' ' || c == '\0' || c == ',' || c == '.' || c == ';' || c == ':' || c == '!' ||
           c == '?' || c == '(' || c == ')' || c == '"';
}

qsizetype wordEnd(QByteArrayView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && !separator(text[end]))
        ++end;
    return end;
}

} // namespace

PhraseBuilder::PhraseBuilder(PhraseTable::Kind kind, const QList<QByteArray> &texts, bool lz77)
    : m_kind(kind), m_lz77(lz77)
{
    QHash<QByteArray, int> counts;
    for (const QByteArray &text : texts) {
        qsizetype i = 0;
        while (i < text.size()) {
            const qsizetype end = wordEnd(text, i);
            if (end - i >= 3)
                ++counts[text.mid(i, end - i)];
            i = end + 1;
        }
    }
    QList<QByteArray> words;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() >= 2)
            words.append(it.key());
    std::sort(words.begin(), words.end(), [&](const QByteArray &a, const QByteArray &b) {
        const qsizetype sa = counts.value(a) * (a.size() - 2);
        const qsizetype sb = counts.value(b) * (b.size() - 2);
        return sa != sb ? sa > sb : a < b;
    });
    qsizetype total = 0;
    for (const QByteArray &word : std::as_const(words)) {
        if (m_phrases.size() >= MaxPhrases || total + word.size() > MaxClassicText)
            break;
        m_index.insert(word, int(m_phrases.size()));
        m_phrases.append(word);
        total += word.size();
    }
}

void PhraseBuilder::encodeHallLiterals(QByteArray &out, QByteArrayView literals) const
{
    qsizetype i = 0;
    while (i < literals.size()) {
        const char c = literals[i];
        if (c == ' ' || c == '\0') {
            qsizetype run = 1;
            while (run < 16 && i + run < literals.size() && literals[i + run] == c)
                ++run;
            out.append(char(((run - 1) << 4) | (c == ' ' ? 0x07 : 0x0F)));
            i += run;
            continue;
        }
        qsizetype run = 1;
        while (run < 32 && i + run < literals.size() && literals[i + run] != ' ' &&
               literals[i + run] != '\0')
            ++run;
        out.append(char(((run - 1) << 3) | 0x03));
        out.append(literals.sliced(i, run));
        i += run;
    }
}

QByteArray PhraseBuilder::encode(QByteArrayView text) const
{
    QByteArray out;
    QByteArray literals;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = wordEnd(text, i);
        const auto found = m_index.constFind(text.sliced(i, end - i).toByteArray());
        if (end == i || found == m_index.constEnd()) {
            const qsizetype stop = end == i ? i + 1 : end;
            if (m_kind == PhraseTable::Hall)
                literals.append(text.sliced(i, stop - i));
            else
                out.append(text.sliced(i, stop - i));
            i = stop;
            continue;
        }
        const int phrase = found.value();
        i = end;
        if (m_kind == PhraseTable::Hall) {
            encodeHallLiterals(out, literals);
            literals.clear();
            if (phrase < 128) {
                out.append(char(phrase * 2));
            } else {
                const int rest = phrase - 128;
                out.append(char((rest / 256) * 4 + 1));
                out.append(char(rest % 256));
            }
        } else {
            int code = phrase * 2;
            if (i < text.size() && text[i] == ' ') {
                ++code;
                ++i;
            }
            out.append(char(code / 256 + 1));
            out.append(char(code % 256));
        }
    }
    if (m_kind == PhraseTable::Hall)
        encodeHallLiterals(out, literals);
    return out;
}

QList<std::pair<QByteArray, QByteArray>> PhraseBuilder::files(bool before31) const
{
    QByteArray text;
    for (const QByteArray &phrase : m_phrases)
        text.append(phrase);

    if (m_kind == PhraseTable::Classic) {
        ByteWriter w;
        w.u16(quint32(m_phrases.size()));
        w.u16(0x0100);
        if (!before31)
            w.u32(quint32(text.size()));
        quint32 offset = 2 * quint32(m_phrases.size() + 1);
        w.u16(offset);
        for (const QByteArray &phrase : m_phrases) {
            offset += quint32(phrase.size());
            w.u16(offset);
        }
        w.raw(before31 ? text : Lz77::compress(text));
        return {{QByteArrayLiteral("|Phrases"), w.bytes}};
    }

    constexpr int BitCount = 4;
    QByteArray bits;
    qsizetype bitPos = 0;
    const auto put = [&](bool bit) {
        if (bitPos % 8 == 0)
            bits.append('\0');
        if (bit)
            bits[bitPos / 8] = char(quint8(bits[bitPos / 8]) | (1 << (bitPos % 8)));
        ++bitPos;
    };
    for (const QByteArray &phrase : m_phrases) {
        const qsizetype n = phrase.size() - 1;
        for (qsizetype q = n >> BitCount; q > 0; --q)
            put(true);
        put(false);
        for (int b = 0; b < BitCount; ++b)
            put((n >> b) & 1);
    }
    while (bits.size() % 4)
        bits.append('\0');

    QByteArray image = text;
    if (m_lz77) {
        const QByteArray packed = Lz77::compress(text);
        if (packed.size() < text.size())
            image = packed;
    }
    ByteWriter index;
    index.u32(1);
    index.u32(quint32(m_phrases.size()));
    index.u32(quint32(bits.size()));
    index.u32(quint32(text.size()));
    index.u32(quint32(image.size()));
    index.u32(0);
    index.u16(BitCount);
    index.u16(0x4A00);
    index.raw(bits);
    return {{QByteArrayLiteral("|PhrIndex"), index.bytes}, {QByteArrayLiteral("|PhrImage"), image}};
}
