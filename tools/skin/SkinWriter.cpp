#include "SkinWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>

namespace SkinWriter {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() > 32 && c.unicode() < 127; });
}

bool writePicture(const QString &path, const QImage &image, QString *error)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    QImageWriter writer(path, format);
    if (format == "jpeg" || format == "jpg")
        writer.setQuality(90);
    else if (format == "tif" || format == "tiff")
        writer.setCompression(1); // LZW
    // Without alpha: the bitmaps come out 24 bits deep, the transparency is the key colour.
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return fail(error, path + QStringLiteral(": ") + writer.errorString());
    return true;
}

} // namespace

QString WrittenName(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (QImageWriter::supportedImageFormats().contains(info.suffix().toLower().toLatin1()))
        return fileName;
    return info.completeBaseName() + QStringLiteral(".png");
}

bool Write(const QString &folder, const QList<SkinPicture> &pictures, QString *error)
{
    if (!QDir().mkpath(folder))
        return fail(error, folder + QStringLiteral(": cannot create the folder"));
    const QDir dir(folder);
    QByteArray list;
    for (const SkinPicture &picture : pictures) {
        const QString name = WrittenName(picture.fileName);
        if (!isAscii(picture.component) || !isAscii(name))
            return fail(error, picture.component + u'=' + name +
                                   QStringLiteral(": not a plain ASCII name"));
        if (!writePicture(dir.filePath(name), picture.image, error))
            return false;
        list += picture.component.toLatin1() + '=' + name.toLatin1() + "\r\n";
    }
    QFile file(dir.filePath(QLatin1String(ListName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(list) != list.size())
        return fail(error, file.fileName() + QStringLiteral(": ") + file.errorString());
    return true;
}

} // namespace SkinWriter
