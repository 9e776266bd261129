#include "ContentsFile.h"

#include <QStringDecoder>
#include <QStringList>

ContentsFile ContentsFile::parse(const QByteArray &bytes, const char *codec)
{
    ContentsFile contents;
    QStringDecoder decoder(codec);
    const QString text = decoder.decode(bytes);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(u":Title ")) {
            contents.m_title = line.mid(7).trimmed();
            continue;
        }
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int level = line.left(space).toInt(&ok);
        if (space < 0 || !ok || level < 1 || level > 9)
            continue;
        Entry entry;
        entry.level = level;
        const QString rest = line.mid(space + 1);
        const qsizetype equals = rest.indexOf(QLatin1Char('='));
        entry.title = (equals < 0 ? rest : rest.left(equals)).trimmed();
        if (equals >= 0) {
            QString target = rest.mid(equals + 1).trimmed();
            target = target.section(QLatin1Char('>'), 0, 0).section(QLatin1Char('@'), 0, 0);
            entry.context = target.toLatin1();
        }
        contents.m_entries.append(entry);
    }
    return contents;
}
