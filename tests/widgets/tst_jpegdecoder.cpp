#include "JpegDecoder.h"
#include "TestFiles.h"

#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>

using fixture::readFile;

namespace {

const QString kSample = QStringLiteral(VERBARIUM_SAMPLE_DIR "/items/_19711/1/full.jpg");

QString testFile(const char *name)
{
    return QStringLiteral(VERBARIUM_TEST_DATA "/") + QLatin1String(name);
}

// Offset of the first marker FF `code` among the segments before the picture data, -1 if
// there is none.
qsizetype markerOffset(const QByteArray &jpeg, uchar code)
{
    qsizetype at = 2; // past the start-of-image marker
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xff) {
        if (uchar(jpeg[at + 1]) == code)
            return at;
        if (uchar(jpeg[at + 1]) == 0xda)
            break;
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    return -1;
}

// Rewrites the size in the frame header (baseline or progressive).
QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    qsizetype frame = markerOffset(jpeg, 0xc0);
    if (frame < 0)
        frame = markerOffset(jpeg, 0xc2);
    Q_ASSERT(frame > 0);
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width);
    return jpeg;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesLikeQtsReader_data();
    void decodesLikeQtsReader();
    void damagedStreamsAreRefused_data();
    void damagedStreamsAreRefused();
};

void TestJpegDecoder::decodesLikeQtsReader_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");

    // Points inside areas of one colour, away from block edges.
    QTest::newRow("baseline RGB") << kSample << QPoint(20, 340) << QColor(0x1e, 0x30, 0x1a);
    QTest::newRow("baseline RGB, roof") << kSample << QPoint(240, 140) << QColor(0x7b, 0x4a, 0x2b);
    QTest::newRow("grayscale, top")
        << testFile("gradient-gray.jpg") << QPoint(8, 0) << QColor(0xf0, 0xf0, 0xf0);
    QTest::newRow("grayscale, bottom")
        << testFile("gradient-gray.jpg") << QPoint(8, 11) << QColor(0x0f, 0x0f, 0x0f);
    QTest::newRow("YCCK, left") << testFile("red-blue-cmyk.jpg") << QPoint(2, 4)
                                << QColor(0xd0, 0x20, 0x20);
    QTest::newRow("YCCK, right") << testFile("red-blue-cmyk.jpg") << QPoint(13, 4)
                                 << QColor(0x20, 0x40, 0xc0);
    QTest::newRow("progressive, top")
        << testFile("gradient-progressive.jpg") << QPoint(12, 0) << QColor(0xf0, 0x00, 0x0f);
    QTest::newRow("progressive, bottom")
        << testFile("gradient-progressive.jpg") << QPoint(12, 15) << QColor(0x0f, 0x00, 0xf0);
}

void TestJpegDecoder::decodesLikeQtsReader()
{
    QFETCH(QString, path);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);

    QString error = QStringLiteral("left over");
    const QImage image = JpegDecoder::Decode(readFile(path), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(image.format(), QImage::Format_RGB32);

    QImageReader reader(path);
    QCOMPARE(image.size(), reader.size());
    const QImage reference = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), reference.size());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!near(image.pixel(x, y), reference.pixel(x, y), 4))
                QFAIL(qPrintable(
                    QStringLiteral("(%1, %2) is %3, Qt reads %4")
                        .arg(x)
                        .arg(y)
                        .arg(image.pixelColor(x, y).name(), reference.pixelColor(x, y).name())));
        }
    }
    // Both readers could share a wrong convention (inverted CMYK, say); the colour the file
    // was made with settles it.
    QVERIFY2(near(image.pixel(point), colour.rgb(), 24),
             qPrintable(image.pixelColor(point).name()));
}

void TestJpegDecoder::damagedStreamsAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    const QByteArray jpeg = readFile(kSample);
    const qsizetype scan = markerOffset(jpeg, 0xda);
    QVERIFY(scan > 0);
    const qsizetype scanData = scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));

    QByteArray noise(2000, Qt::Uninitialized);
    QRandomGenerator random(19711);
    for (char &byte : noise)
        byte = char(random.bounded(256));

    QByteArray scrambledScan = jpeg;
    for (qsizetype i = scanData + 200; i < scanData + 400; ++i)
        scrambledScan[i] = char(random.bounded(256));

    QByteArray lossless = jpeg;
    lossless[markerOffset(jpeg, 0xc0) + 1] = char(0xc3);

    QByteArray badLength = jpeg;
    const qsizetype table = markerOffset(jpeg, 0xdb);
    badLength[table + 2] = 0;
    badLength[table + 3] = 1;

    QTest::newRow("empty") << QByteArray() << QStringLiteral("Empty input file");
    QTest::newRow("random bytes") << noise << QStringLiteral("Not a JPEG file");
    QTest::newRow("random bytes after a start marker")
        << QByteArray("\xff\xd8", 2) + noise << QStringLiteral("Corrupt JPEG data");
    QTest::newRow("start marker only") << jpeg.left(2) << QStringLiteral("Premature end");
    QTest::newRow("headers without picture data")
        << jpeg.left(scanData) << QStringLiteral("Premature end");
    QTest::newRow("truncated halfway")
        << jpeg.left(jpeg.size() / 2) << QStringLiteral("Premature end");
    QTest::newRow("end marker missing") << jpeg.chopped(2) << QStringLiteral("Premature end");
    QTest::newRow("picture data scrambled") << scrambledScan << QStringLiteral("Corrupt JPEG data");
    QTest::newRow("unsupported frame type")
        << lossless << QStringLiteral("Unsupported JPEG process");
    QTest::newRow("bad segment length") << badLength << QStringLiteral("Bogus marker length");
    QTest::newRow("zero height") << withFrameSize(jpeg, 480, 0)
                                 << QStringLiteral("Empty JPEG image");
    QTest::newRow("wider than 30000")
        << withFrameSize(jpeg, 30001, 16) << QStringLiteral("too large: 30001 x 16");
    QTest::newRow("higher than 30000")
        << withFrameSize(jpeg, 16, 65000) << QStringLiteral("too large: 16 x 65000");
    QTest::newRow("over 400 MB") << withFrameSize(jpeg, 20000, 20000)
                                 << QStringLiteral("too large: 20000 x 20000");
    // The picture would fit, but the 600 MB of coefficients a progressive 4:4:4 stream of
    // that size keeps do not.
    QTest::newRow("more pixels than the data can hold")
        << withFrameSize(jpeg, 8000, 8000)
        << QStringLiteral("too short for a picture of 8000 x 8000");
    // Bytes after the end marker make the file long enough for its picture.
    QTest::newRow("progressive, buffers over 400 MB")
        << withFrameSize(readFile(testFile("gradient-progressive.jpg")), 10000, 10000) +
               QByteArray(200000, '\0')
        << QStringLiteral("Backing store not supported");
}

void TestJpegDecoder::damagedStreamsAreRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);

    QString error;
    QVERIFY(JpegDecoder::Decode(data, &error).isNull());
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(JpegDecoder::Decode(data).isNull());
}

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
