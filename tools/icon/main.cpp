// verbarium-icon: renders the program's SVG icon into the PNG sizes of an icon theme, laid
// out as the hicolor theme wants them: FOLDER/hicolor/NxN/apps/NAME.png and
// FOLDER/hicolor/scalable/apps/NAME.svg.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 1, Usage = 64 };

constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool fail(const QString &message)
{
    std::fprintf(stderr, "verbarium-icon: %s\n", message.toUtf8().constData());
    return false;
}

bool writeTheme(const QString &svgPath, const QString &folder)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid())
        return fail(QStringLiteral("cannot read %1").arg(svgPath));
    const QString name = QFileInfo(svgPath).completeBaseName();
    const QDir theme(folder + QStringLiteral("/hicolor"));
    for (const int size : Sizes) {
        const QString apps = QStringLiteral("%1x%1/apps").arg(size);
        if (!theme.mkpath(apps))
            return fail(QStringLiteral("cannot create %1").arg(theme.filePath(apps)));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString png = theme.filePath(QStringLiteral("%1/%2.png").arg(apps, name));
        if (!image.save(png, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(png));
    }
    const QString scalable = QStringLiteral("scalable/apps");
    const QString copy = theme.filePath(QStringLiteral("%1/%2.svg").arg(scalable, name));
    QFile::remove(copy);
    if (!theme.mkpath(scalable) || !QFile::copy(svgPath, copy))
        return fail(QStringLiteral("cannot write %1").arg(copy));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 || argv[1][0] == '\0' || argv[2][0] == '\0') {
        std::fputs("usage: verbarium-icon ICON.svg OUTPUT_FOLDER\n", stderr);
        return Usage;
    }
    // The tool only paints into images; it needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    return writeTheme(arguments.at(1), arguments.at(2)) ? Success : Failure;
}
