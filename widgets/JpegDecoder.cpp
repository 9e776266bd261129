#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

namespace JpegDecoder {

namespace {

constexpr JDIMENSION kMaxSide = 30000;
// For the decoded picture, and separately for libjpeg's own buffers (a progressive stream
// keeps all its coefficients in memory).
constexpr qint64 kMaxBytes = 400 * 1024 * 1024;
// A Huffman-coded stream spends at least one bit on every 8 x 8 block of a full-size
// component, so it cannot describe more than 512 pixels per byte. A header that claims more is
// refused before the decoder or the picture allocate anything for it.
constexpr qint64 kMaxPixelsPerByte = 8 * 8 * 8;

// Turns libjpeg's errors, and its warnings about missing or corrupt data, into a jump back to
// the decoding function, with the message kept.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWithMessage(j_common_ptr cinfo)
{
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings that say something odd about the headers but leave the picture whole.
bool isHarmlessWarning(int code)
{
    return code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR || code == JWRN_BOGUS_ICC;
}

void emitMessage(j_common_ptr cinfo, int level)
{
    // Levels 0 and up are trace messages. Every other warning means the stream ended early
    // (libjpeg then pads with grey) or data was skipped, so the picture would be wrong.
    if (level < 0 && !isHarmlessWarning(cinfo->err->msg_code))
        failWithMessage(cinfo);
}

void outputMessage(j_common_ptr)
{
    // Nothing goes to stderr; the caller gets the message instead.
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The byte order of QImage::Format_RGB32 (0xffRRGGBB in a 32-bit word), alpha set to 0xff.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// CMYK as Adobe writes it, and as every YCCK stream holds it after conversion, is stored
// inverted: 255 means no ink.
void cmykToRgb(const JSAMPLE *in, QRgb *out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION i = 0; i < width; ++i, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[i] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Runs the decoder over `data` into `image`. On an error libjpeg jumps back into the setjmp()
// here, so between it and the end no object with a destructor may live in this frame:
// `image` belongs to the caller and temporaries end before the next libjpeg call.
bool decompress(jpeg_decompress_struct &cinfo, ErrorManager &errors, const QByteArray &data,
                QImage &image, QString *error)
{
    if (setjmp(errors.jump))
        return false;

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);

    const JDIMENSION width = cinfo.image_width;
    const JDIMENSION height = cinfo.image_height;
    if (width > kMaxSide || height > kMaxSide || qint64(width) * height * 4 > kMaxBytes) {
        setError(error, QStringLiteral("JPEG picture too large: %1 x %2").arg(width).arg(height));
        return false;
    }
    if (qint64(width) * height > kMaxPixelsPerByte * data.size()) {
        setError(
            error,
            QStringLiteral("JPEG data too short for a picture of %1 x %2").arg(width).arg(height));
        return false;
    }

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    cinfo.mem->max_memory_to_use = kMaxBytes;
    jpeg_start_decompress(&cinfo);

    image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("Not enough memory for a JPEG picture of %1 x %2")
                            .arg(width)
                            .arg(height));
        return false;
    }

    // Pool memory, freed by jpeg_destroy_decompress() whichever way this ends.
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                           JPOOL_IMAGE, cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(int(cinfo.output_scanline)));
        if (cmyk) {
            jpeg_read_scanlines(&cinfo, cmykRow, 1);
            cmykToRgb(cmykRow[0], line, cinfo.output_width, cinfo.saw_Adobe_marker);
        } else {
            auto *row = reinterpret_cast<JSAMPROW>(line);
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
    }
    // Reads up to the end marker, so a stream cut short after the last row still fails.
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

QImage Decode(const QByteArray &data, QString *error)
{
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = failWithMessage;
    errors.pub.emit_message = emitMessage;
    errors.pub.output_message = outputMessage;

    QImage image;
    setError(error, QString());
    if (!decompress(cinfo, errors, data, image, error)) {
        image = QImage();
        if (errors.message[0] != '\0')
            setError(error, QString::fromLatin1(errors.message));
    }
    // Safe also when the creation failed: it frees only what was allocated.
    jpeg_destroy_decompress(&cinfo);
    return image;
}

} // namespace JpegDecoder
