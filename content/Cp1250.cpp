#include "Cp1250.h"

#include <QStringDecoder>

#include <array>
#include <memory>

namespace {

struct Tables
{
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, 256> fold{};
    std::unique_ptr<unsigned char[]> fromUnicode{new unsigned char[0x10000]()};

    Tables()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QStringDecoder decoder("windows-1250");
        const QString text = decoder(all);
        // A byte the code page leaves undefined decodes to nothing or to the replacement
        // character; keep such bytes readable as their Latin-1 value.
        const bool oneToOne = decoder.isValid() && text.size() == 256;
        for (int i = 0; i < 256; ++i) {
            char16_t u = oneToOne ? text.at(i).unicode() : char16_t(i);
            if (u == 0xFFFD)
                u = char16_t(i);
            toUnicode[i] = u;
            if (fromUnicode[u] == 0)
                fromUnicode[u] = static_cast<unsigned char>(i);
        }
        for (int i = 0; i < 256; ++i) {
            fold[i] = static_cast<unsigned char>(i);
            const QChar lower = QChar(toUnicode[i]).toLower();
            if (lower.unicode() != toUnicode[i]) {
                const unsigned char b = fromUnicode[lower.unicode()];
                if (b != 0 && toUnicode[b] == lower.unicode())
                    fold[i] = b;
            }
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

namespace Cp1250 {

QString decode(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString result(bytes.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return result;
}

QByteArray encode(QStringView text, bool *ok)
{
    const Tables &t = tables();
    QByteArray result(text.size(), Qt::Uninitialized);
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const unsigned char b = t.fromUnicode[u];
        if (b == 0 && u != 0) {
            result[i] = '?';
            all = false;
        } else {
            result[i] = char(b);
        }
    }
    if (ok)
        *ok = all;
    return result;
}

unsigned char foldCase(unsigned char byte)
{
    return tables().fold[byte];
}

QByteArray upperAscii(QByteArrayView bytes)
{
    QByteArray result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        result[i] = upperAscii(bytes[i]);
    return result;
}

QString upperAscii(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return result;
}

} // namespace Cp1250
