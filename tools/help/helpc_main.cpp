// verbarium-helpc SOURCE OUTPUT [--uncompressed] [--phrases=none|classic|hall]
// [--version=3.0|3.1|4.0] Compiles a help source (see HelpSource.h) into a WinHelp file; a .CNT
// contents file is written beside it when the source has @cnt lines.

#include "HelpFileWriter.h"
#include "HelpSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <cstdio>
#include <stdexcept>

namespace {

int usage()
{
    std::fputs(
        "usage: verbarium-helpc SOURCE OUTPUT [--uncompressed] [--phrases=none|classic|hall] "
        "[--version=3.0|3.1|4.0]\n",
        stderr);
    return 64;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error(
            QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    HelpFileWriter::Options options;
    QStringList files;
    for (const QString &arg : std::as_const(args)) {
        if (arg == u"--uncompressed")
            options.lz77 = false;
        else if (arg == u"--phrases=none")
            options.phrases = PhraseTable::None;
        else if (arg == u"--phrases=classic")
            options.phrases = PhraseTable::Classic;
        else if (arg == u"--phrases=hall")
            options.phrases = PhraseTable::Hall;
        else if (arg == u"--version=3.0")
            options.minor = 15;
        else if (arg == u"--version=3.1")
            options.minor = 21;
        else if (arg == u"--version=4.0")
            options.minor = 33;
        else if (arg.startsWith(u"--"))
            return usage();
        else
            files.append(arg);
    }
    if (files.size() != 2)
        return usage();
    try {
        HelpFileWriter writer(options);
        QStringList contents;
        HelpSource::compile(files[0], writer, &contents);
        const QFileInfo output(files[1]);
        const QString cntPath =
            output.dir().filePath(output.completeBaseName() + QStringLiteral(".CNT"));
        if (!contents.isEmpty())
            writer.setContentsFileName(QFileInfo(cntPath).fileName());
        writeFile(files[1], writer.build());
        if (!contents.isEmpty()) {
            QStringEncoder encoder("windows-1250");
            writeFile(cntPath, QByteArray(encoder.encode(contents.join(QStringLiteral("\r\n")) +
                                                         QStringLiteral("\r\n"))));
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "verbarium-helpc: %s\n", error.what());
        return 1;
    }
    return 0;
}
