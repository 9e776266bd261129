// verbarium-skin: paints the demo skin of the Index window — panel backgrounds and button
// glyphs — into a folder, with the list "Imglst.lst" that names them.

#include "SkinPainter.h"
#include "SkinWriter.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 1, Usage = 64 };

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::fputs("usage: verbarium-skin OUTPUT_FOLDER\n", stderr);
        return Usage;
    }
    // The tool only paints into images; it needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    if (!SkinWriter::Write(app.arguments().at(1), SkinPainter::Paint(), &error)) {
        std::fprintf(stderr, "verbarium-skin: %s\n", error.toUtf8().constData());
        return Failure;
    }
    return Success;
}
