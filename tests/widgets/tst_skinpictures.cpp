#include "ImageDecoder.h"
#include "PcxDecoder.h"
#include "TGlyphButton.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/resource.h>

// The skin's pictures: one decoder per file extension, our PCX reader, and the picture button
// that cuts a strip of state images.
class TestSkinPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesEachFormat_data();
    void decodesEachFormat();
    void refusals_data();
    void refusals();
    void pcxLayouts_data();
    void pcxLayouts();
    void damagedPcx_data();
    void damagedPcx();
    void pcxTakesMemoryOnlyForItsData();
    void glyphStates();
};

namespace {

QString testData(const char *name)
{
    return QStringLiteral(VERBARIUM_TEST_DATA "/") + QLatin1String(name);
}

bool near(QRgb actual, QRgb expected, int tolerance)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// A PCX file: header fields, then the encoded data as given, then `tail`.
QByteArray pcx(int bits, int planes, int width, int height, int bytesPerLine,
               const QByteArray &data, const QByteArray &headerPalette = QByteArray(),
               const QByteArray &tail = QByteArray())
{
    QByteArray header(128, '\0');
    auto *h = reinterpret_cast<uchar *>(header.data());
    h[0] = 0x0A;
    h[1] = 5;
    h[2] = 1;
    h[3] = uchar(bits);
    qToLittleEndian<quint16>(quint16(width - 1), h + 8);
    qToLittleEndian<quint16>(quint16(height - 1), h + 10);
    h[65] = uchar(planes);
    qToLittleEndian<quint16>(quint16(bytesPerLine), h + 66);
    header.replace(16, headerPalette.size(), headerPalette);
    return header + data + tail;
}

// The most memory the process has held so far.
long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

void TestSkinPictures::decodesEachFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("tolerance");
    // Six by four pixels: red on the left, blue on the right, one green pixel bottom left.
    QTest::newRow("bmp") << testData("skin.bmp") << 0;
    QTest::newRow("gif") << testData("skin.gif") << 0;
    QTest::newRow("png") << testData("skin.png") << 0;
    QTest::newRow("tiff") << testData("skin.tif") << 0;
    QTest::newRow("jpeg") << testData("skin.jpg") << 60;
    QTest::newRow("pcx 256 colours") << testData("skin.pcx") << 0;
    QTest::newRow("pcx true colour") << testData("skin-truecolor.pcx") << 0;
}

void TestSkinPictures::decodesEachFormat()
{
    QFETCH(QString, path);
    QFETCH(int, tolerance);
    QString error;
    const QImage image = ImageDecoder::Load(path, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), QSize(6, 4));
    QVERIFY(near(image.pixel(1, 1), qRgb(255, 0, 0), tolerance));
    QVERIFY(near(image.pixel(5, 0), qRgb(0, 0, 255), tolerance));
    QVERIFY(near(image.pixel(0, 3), qRgb(0, 255, 0), tolerance));
    QVERIFY(error.isEmpty());
}

void TestSkinPictures::refusals_data()
{
    QTest::addColumn<QString>("copyOf");
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QString() << QStringLiteral("brak.png");
    QTest::newRow("unknown extension") << testData("skin.png") << QStringLiteral("skin.xyz");
    QTest::newRow("no extension") << testData("skin.png") << QStringLiteral("skin");
    // The extension decides: a PNG named like a bitmap is not read as PNG.
    QTest::newRow("png named bmp") << testData("skin.png") << QStringLiteral("skin.bmp");
    QTest::newRow("png named pcx") << testData("skin.png") << QStringLiteral("skin.PCX");
    QTest::newRow("pcx named jpg") << testData("skin.pcx") << QStringLiteral("skin.jpg");
}

void TestSkinPictures::refusals()
{
    QFETCH(QString, copyOf);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!copyOf.isEmpty())
        QVERIFY(QFile::copy(copyOf, path));
    QString error;
    QVERIFY(ImageDecoder::Load(path, &error).isNull());
    QVERIFY(!error.isEmpty());
}

void TestSkinPictures::pcxLayouts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QRgb>>("pixels"); // row by row
    const QByteArray blackWhite = bytes({0, 0, 0, 255, 255, 255});
    const QByteArray sixteen = bytes({0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);

    QTest::newRow("1 bit, header palette") << pcx(1, 1, 4, 1, 2, bytes({0xA0, 0}), blackWhite)
                                           << QList<QRgb>{white, black, white, black};
    QTest::newRow("1 bit, empty palette is black on white")
        << pcx(1, 1, 2, 1, 2, bytes({0x40, 0})) << QList<QRgb>{black, white};
    // Plane 0 gives bit 0 of the colour index, plane 1 bit 1.
    QTest::newRow("1 bit, 4 planes")
        << pcx(1, 4, 3, 1, 2, bytes({0x40, 0, 0x20, 0, 0, 0, 0, 0}), sixteen)
        << QList<QRgb>{black, red, green};
    QTest::newRow("4 bits") << pcx(4, 1, 3, 1, 2, bytes({0x12, 0x30}), sixteen)
                            << QList<QRgb>{red, green, blue};
    QByteArray palette(768, '\0');
    palette[3 * 7] = char(200);
    QTest::newRow("8 bits, palette at the end")
        << pcx(8, 1, 2, 1, 2, bytes({0, 7}), {}, bytes({0x0C}) + palette)
        << QList<QRgb>{black, qRgb(200, 0, 0)};
    QTest::newRow("8 bits, no palette is grey")
        << pcx(8, 1, 2, 1, 2, bytes({0x10, 0x80}))
        << QList<QRgb>{qRgb(16, 16, 16), qRgb(128, 128, 128)};
    // Runs carry on from the red plane into the green one, and from one line into the next.
    QTest::newRow("runs across planes and lines")
        << pcx(8, 3, 2, 2, 2, bytes({0xC3, 255, 0, 0xC4, 0, 0xC2, 9, 7, 7}))
        << QList<QRgb>{qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 9, 7), qRgb(0, 9, 7)};
}

void TestSkinPictures::pcxLayouts()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QRgb>, pixels);
    QString error;
    const QImage image = PcxDecoder::Decode(file, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QList<QRgb> actual;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            actual.append(image.pixel(x, y));
    }
    QCOMPARE(actual, pixels);
}

void TestSkinPictures::damagedPcx_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = pcx(8, 3, 2, 1, 2, bytes({1, 2, 3, 4, 5, 6}));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << good.left(100);
    QByteArray magic = good;
    magic[0] = 'B';
    QTest::newRow("not pcx") << magic;
    QByteArray raw = good;
    raw[2] = 0;
    QTest::newRow("unencoded") << raw;
    QTest::newRow("data ends early") << good.left(good.size() - 2);
    QTest::newRow("run without its value") << pcx(8, 1, 4, 1, 4, bytes({0xC4}));
    QTest::newRow("2 bits") << pcx(2, 1, 4, 1, 1, bytes({0}));
    QTest::newRow("lines shorter than the picture") << pcx(8, 1, 4, 1, 2, bytes({0xC4, 1}));
    QTest::newRow("30001 pixels wide") << pcx(8, 1, 30001, 1, 30001, QByteArray(30001, '\1'));
    QTest::newRow("too many pixels") << pcx(8, 3, 20000, 20000, 20000, QByteArray());
    QByteArray backwards = good;
    qToLittleEndian<quint16>(5, reinterpret_cast<uchar *>(backwards.data()) + 4); // xmin past xmax
    QTest::newRow("negative width") << backwards;
}

void TestSkinPictures::damagedPcx()
{
    QFETCH(QByteArray, file);
    QString error;
    QVERIFY(PcxDecoder::Decode(file, &error).isNull());
    QVERIFY(!error.isEmpty());
}

void TestSkinPictures::pcxTakesMemoryOnlyForItsData()
{
    // The header claims 10000 lines of 40000 bytes, 400 MB, and two bytes of data follow.
    const QByteArray file = pcx(8, 1, 1, 10000, 40000, bytes({0xC1, 0}));
    const long before = peakMemoryKb();
    QString error;
    QVERIFY(PcxDecoder::Decode(file, &error).isNull());
    QCOMPARE(error, QStringLiteral("PCX data ends early"));
    QVERIFY2(peakMemoryKb() - before < 50 * 1024,
             qPrintable(QString::number(peakMemoryKb() - before)));
}

void TestSkinPictures::glyphStates()
{
    // Five 4 x 3 states in five colours on a magenta key, which the bottom-left pixel holds.
    const QRgb key = qRgb(255, 0, 255);
    const QRgb colours[TGlyphButton::StateCount] = {qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0),
                                                    qRgb(40, 0, 0), qRgb(50, 0, 0)};
    QImage strip(20, 3, QImage::Format_RGB32);
    for (int state = 0; state < TGlyphButton::StateCount; ++state) {
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 3; ++y)
                strip.setPixel(state * 4 + x, y, colours[state]);
        }
        strip.setPixel(state * 4, 2, key);
    }
    TGlyphButton button;
    QVERIFY(!button.SetGlyph(QImage()));
    QVERIFY(!button.SetGlyph(strip.copy(0, 0, 4, 3)));
    QVERIFY(!button.HasGlyph());
    QVERIFY(button.SetGlyph(strip));
    QCOMPARE(button.sizeHint(), QSize(4, 3));
    for (int state = 0; state < TGlyphButton::StateCount; ++state) {
        const QImage glyph = button.Glyph(TGlyphButton::State(state));
        QCOMPARE(glyph.size(), QSize(4, 3));
        QCOMPARE(glyph.pixel(1, 1), colours[state]);
        QCOMPARE(qAlpha(glyph.pixel(0, 2)), 0); // the key colour is transparent
    }

    button.setCheckable(true);
    QCOMPARE(button.CurrentState(), TGlyphButton::Normal);
    button.setChecked(true);
    QCOMPARE(button.CurrentState(), TGlyphButton::Down);
    button.setDown(true);
    QCOMPARE(button.CurrentState(), TGlyphButton::Pressed);
    button.setEnabled(false);
    QCOMPARE(button.CurrentState(), TGlyphButton::Disabled);
}

QTEST_MAIN(TestSkinPictures)
#include "tst_skinpictures.moc"
