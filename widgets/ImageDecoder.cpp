#include "ImageDecoder.h"

#include "JpegDecoder.h"
#include "PcxDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace ImageDecoder {

namespace {

QImage fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return QImage();
}

} // namespace

QImage Load(const QString &path, QString *error)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"pcx" || extension == u"jpg" || extension == u"jpeg") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(error, file.errorString());
        const QByteArray bytes = file.readAll();
        return extension == u"pcx" ? PcxDecoder::Decode(bytes, error)
                                   : JpegDecoder::Decode(bytes, error);
    }
    QByteArray format;
    if (extension == u"bmp" || extension == u"gif" || extension == u"png")
        format = extension.toLatin1();
    else if (extension == u"tif" || extension == u"tiff")
        format = "tiff";
    else
        return fail(error, QStringLiteral("unknown picture format: %1").arg(path));
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull())
        return fail(error, reader.errorString());
    if (error)
        error->clear();
    return image;
}

} // namespace ImageDecoder
