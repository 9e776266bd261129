#pragma once

// Help files for the tests, written by our writer: a small one with every kind of content,
// and a large one of many topics that spans many topic blocks and B+ tree pages.

#include "HelpFileWriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sample {

inline const QList<quint32> &picturePixels()
{
    static const QList<quint32> pixels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                       0xFFFFFFFF, 0xFF000000, 0xFF808080};
    return pixels;
}

// Topics: 0 "Spis treści" (context "spis", number 4001; jump to 1, pop-up of 2, a picture),
// 1 "Drugi temat" ("druga", 4007 and 4030; a table), 2 "Okienko" ("okienko", no number).
inline QByteArray smallHelp(HelpFileWriter::Options options = {})
{
    HelpFileWriter writer(options);
    writer.setTitle(QStringLiteral("Pomoc testowa"));
    writer.setContents("spis");
    HelpFont normal;
    normal.face = QStringLiteral("Arial");
    const int plain = writer.addFont(normal);
    HelpFont strong = normal;
    strong.bold = true;
    strong.colour = 0x000080;
    const int bold = writer.addFont(strong);
    const int picture = writer.addPicture(3, 2, picturePixels());

    HelpTopicBuilder &contents = writer.addTopic(QStringLiteral("Spis treści"), {"spis"}, {4001});
    contents.beginParagraph();
    contents.setFont(bold);
    contents.text(QStringLiteral("Zażółć gęślą jaźń"));
    contents.endParagraph();
    contents.beginParagraph(HelpParagraph::Left, 6);
    contents.setFont(plain);
    contents.text(QStringLiteral("Przejdź do "));
    contents.beginLink(HelpRun::Jump, "druga");
    contents.text(QStringLiteral("drugiego tematu"));
    contents.endLink();
    contents.text(QStringLiteral(" albo otwórz "));
    contents.beginLink(HelpRun::Popup, "okienko");
    contents.text(QStringLiteral("okienko"));
    contents.endLink();
    contents.text(QStringLiteral("."));
    contents.endParagraph();
    contents.beginParagraph(HelpParagraph::Center);
    contents.picture(picture);
    contents.text(QStringLiteral("a"));
    contents.lineBreak();
    contents.text(QStringLiteral("b"));
    contents.tab();
    contents.text(QStringLiteral("c"));
    contents.endParagraph();

    HelpTopicBuilder &second =
        writer.addTopic(QStringLiteral("Drugi temat"), {"druga"}, {4007, 4030});
    second.text(
        QStringLiteral("Verbarium, encyklopedia literatury polskiej. Verbarium, encyklopedia."));
    second.endParagraph();
    second.table({16000, 16767},
                 {{QStringLiteral("Epoka"), QStringLiteral("Lata")},
                  {QStringLiteral("Barok"), QStringLiteral("1620–1764")}},
                 plain);

    HelpTopicBuilder &popup = writer.addTopic(QStringLiteral("Okienko"), {"okienko"});
    popup.text(QStringLiteral("Treść okienka."));
    popup.endParagraph();
    return writer.build();
}

// The words of topic `i` of the large file: varied enough that LZ77 cannot squeeze them much.
inline QString largeTopicText(int i)
{
    static const QStringList words{QStringLiteral("Verbarium"), QStringLiteral("literatura"),
                                   QStringLiteral("poezja"),    QStringLiteral("proza"),
                                   QStringLiteral("dramat"),    QStringLiteral("epoka"),
                                   QStringLiteral("żółw"),      QStringLiteral("śpiew")};
    quint32 state = quint32(i) * 2654435761u + 1;
    QStringList text;
    for (int w = 0; w < 40; ++w) {
        state = state * 1103515245u + 12345u;
        text.append(words.at((state >> 16) % words.size()) + QString::number((state >> 8) % 97));
    }
    return text.join(QLatin1Char(' '));
}

// `count` topics "Temat N" with context names "tN" and numbers 10000 + N, two paragraphs each.
inline QByteArray largeHelp(HelpFileWriter::Options options, int count)
{
    HelpFileWriter writer(options);
    writer.setTitle(QStringLiteral("Duża pomoc"));
    for (int i = 0; i < count; ++i) {
        HelpTopicBuilder &topic = writer.addTopic(QStringLiteral("Temat %1").arg(i),
                                                  {"t" + QByteArray::number(i)}, {10000 + i});
        topic.text(largeTopicText(i));
        topic.endParagraph();
        topic.text(QStringLiteral("Koniec tematu %1.").arg(i));
        topic.endParagraph();
    }
    return writer.build();
}

} // namespace sample
