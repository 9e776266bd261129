// verbarium-help FILE info | titles | context NUMBER | text OFFSET
// Reads a WinHelp file and prints what it holds, UTF-8. Exit status: 0 done, 1 context number
// or offset not in the file, 2 damaged or unreadable file, 64 wrong usage.

#include "HelpFormatError.h"
#include "WinHelpFile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdint>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: verbarium-help FILE info | titles | context NUMBER | text OFFSET\n", stderr);
    return 64;
}

QString hex(quint32 value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QString compression(const WinHelpFile &help)
{
    QStringList parts;
    if (help.lz77())
        parts.append(QStringLiteral("LZ77"));
    if (help.phraseKind() == PhraseTable::Classic)
        parts.append(QStringLiteral("phrases"));
    else if (help.phraseKind() == PhraseTable::Hall)
        parts.append(QStringLiteral("Hall phrases"));
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString &command = args[1];
    const bool needsValue = command == u"context" || command == u"text";
    if (args.size() != (needsValue ? 3 : 2) ||
        !(needsValue || command == u"info" || command == u"titles"))
        return usage();
    bool ok = true;
    const qint64 value =
        needsValue ? (command == u"context" ? args[2].toLongLong(&ok) : args[2].toLongLong(&ok, 16))
                   : 0;
    if (!ok || value < INT32_MIN || value > UINT32_MAX)
        return usage();

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    try {
        const WinHelpFile help = WinHelpFile::open(args[0]);
        if (command == u"info") {
            out << "version: " << help.versionName() << '\n'
                << "title: " << help.title() << '\n'
                << "compression: " << compression(help) << '\n'
                << "topics: " << help.topics().size() << '\n';
        } else if (command == u"titles") {
            for (const WinHelpFile::TitleEntry &title : help.titles())
                out << hex(title.offset) << '\t' << title.title << '\n';
        } else if (command == u"context") {
            const std::optional<quint32> offset = help.contextNumber(qint32(value));
            if (!offset) {
                std::fprintf(stderr, "verbarium-help: context number %lld is not mapped\n", value);
                return 1;
            }
            const int topic = help.topicIndexAt(*offset);
            out << hex(*offset) << '\t' << (topic < 0 ? QString() : help.topics().at(topic).title)
                << '\n';
        } else {
            const int topic = help.topicIndexAt(quint32(value));
            if (topic < 0) {
                std::fprintf(stderr, "verbarium-help: no topic at offset %s\n",
                             qPrintable(hex(quint32(value))));
                return 1;
            }
            for (const QString &line : help.topic(topic).plainLines())
                out << line << '\n';
        }
    } catch (const HelpFormatError &error) {
        out.flush();
        std::fprintf(stderr, "verbarium-help: %s\n", error.message().toUtf8().constData());
        return 2;
    }
    return 0;
}
