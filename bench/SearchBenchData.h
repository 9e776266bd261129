#pragma once

// The synthetic encyclopedia the search benchmarks query: entries of eight categories, each
// with a two-word title and about 3000 characters of text in words of Polish shape.

#include "ContainerWriter.h"
#include "Cp1250.h"

#include <QRandomGenerator>
#include <QStringList>

#include <cmath>
#include <iterator>

namespace bench {

using namespace Qt::StringLiterals;

inline const QByteArray EntryTypes[] = {"_19701", "_19702", "_19704", "_19705",
                                        "_19706", "_19711", "_19720", "_19799"};

// Words of Polish shape: a few thousand, from syllables with and without Polish letters.
inline QStringList vocabulary()
{
    const QStringList syllables{
        u"pa"_s,  u"ta"_s,  u"deu"_s, u"sz"_s,  u"mic"_s, u"kie"_s,  u"wicz"_s, u"łó"_s,
        u"dź"_s,  u"żół"_s, u"ść"_s,  u"ro"_s,  u"man"_s, u"tyzm"_s, u"ka"_s,   u"no"_s,
        u"wie"_s, u"rsz"_s, u"ęp"_s,  u"ąc"_s,  u"li"_s,  u"two"_s,  u"oj"_s,   u"czy"_s,
        u"zna"_s, u"bo"_s,  u"ha"_s,  u"ter"_s, u"po"_s,  u"ema"_s,  u"gó"_s,   u"rzy"_s};
    QStringList words;
    QRandomGenerator random(1834);
    while (words.size() < 4000) {
        QString word;
        for (int n = 2 + random.bounded(3); n > 0; --n)
            word += syllables[random.bounded(syllables.size())];
        words.append(word);
    }
    return words;
}

inline bool writeEncyclopedia(const QString &path, int entries)
{
    const QStringList words = vocabulary();
    QRandomGenerator random(1798);
    // Common words come up far more often than rare ones, as in real text.
    const auto word = [&] {
        return words[int(double(words.size()) * std::pow(random.generateDouble(), 3))];
    };
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> files;
    for (int i = 0; i < entries; ++i) {
        const QByteArray typ = EntryTypes[i % std::size(EntryTypes)];
        const QByteArray numer = QByteArray::number(i + 1);
        index.add(QByteArray::number(i).rightJustified(32, '0'), typ, numer);
        const QString title = word() + u' ' + word();
        files.append({"L197\\TypX\\" + typ + '\\' + numer + "\\Pola",
                      Cp1250::encode(u"Tytuł="_s + title + u"\r\nAutor="_s + title +
                                     u"\r\nNazwa="_s + title + u"\r\nGatunek="_s + title +
                                     u"\r\nTermin="_s + title + u"\r\nDzieło="_s + title)});
        QString text;
        while (text.size() < 3000) {
            text += u"<p><b>"_s + word() + u"</b> "_s;
            for (int n = 0; n < 20; ++n)
                text += word() + (n % 7 == 6 ? u", "_s : u" "_s);
            text += u"&nbsp;<i>"_s + word() + u"</i>.</p>\r\n"_s;
        }
        files.append({typ == "_19711" ? typ + '\\' + numer + "\\Opis" : typ + '\\' + numer,
                      Cp1250::encode(text)});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : files)
        writer.add(name, data);
    return writer.write(path);
}

} // namespace bench
