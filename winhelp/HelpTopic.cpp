#include "HelpTopic.h"

#include <QStringList>

QString HelpParagraph::plainText() const
{
    QString text;
    for (const HelpRun &run : runs)
        text += run.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text;
}

QStringList HelpTopic::plainLines() const
{
    QStringList lines;
    for (const HelpParagraph &paragraph : paragraphs)
        lines.append(paragraph.plainText());
    return lines;
}
