#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Expected
{
    QString component;
    QSize size; // of a background, or of one state of a glyph
    bool glyph;
};

// What the Index window takes from the skin: the five panel backgrounds and the picture
// buttons of the start page, the epochs, kinds and art panels and the quiz panel.
QList<Expected> expectedPictures()
{
    QList<Expected> pictures;
    for (const char *name : {"imStart", "imEpoki", "imRodzaje", "imHistoria", "imQuiz"})
        pictures.append({QLatin1String(name), QSize(400, 267), false});
    for (const char *name :
         {"btDziela", "btBiogramy", "btBohaterowie", "btEpoki", "btRodzaje", "btSlownik",
          "btGatunki", "btWypisy", "btFilmogr", "btCytaty", "btSztuka", "btQuiz", "btKalend"})
        pictures.append({QLatin1String(name), QSize(34, 34), true});
    const auto numbered = [&pictures](const char *prefix, int count, QSize size) {
        for (int i = 1; i <= count; ++i)
            pictures.append({QLatin1String(prefix) + QString::number(i), size, true});
    };
    numbered("btEpoki", 8, QSize(120, 31));
    pictures.append({QStringLiteral("btEpoki9"), QSize(200, 31), true});
    numbered("btRodzaje", 4, QSize(133, 30));
    numbered("btHistoria", 6, QSize(133, 30));
    numbered("btStopien", 3, QSize(83, 23));
    numbered("btEpoka", 9, QSize(83, 23));
    pictures.append({QStringLiteral("btQuizStart"), QSize(83, 23), true});
    // The calendar page: the category icons side by side, their buttons, search and scroll.
    pictures.append({QStringLiteral("ImageList2"), QSize(17 * 32, 32), false});
    numbered("btKalendKat", 16, QSize(34, 34));
    pictures.append({QStringLiteral("btKalendSearch"), QSize(28, 22), true});
    pictures.append({QStringLiteral("btKalendariumUp"), QSize(155, 22), true});
    pictures.append({QStringLiteral("btKalendariumDown"), QSize(155, 22), true});
    return pictures;
}

// The reader the program picks for a file: by its extension, not by what the file holds.
QImage readByExtension(const QString &path)
{
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    else if (format == "tif")
        format = "tiff";
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

constexpr QRgb Key = 0xffff00ff;

} // namespace

class TestVerbariumSkin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void listNamesReadablePictures();
    void pictures_data();
    void pictures();
    void calendarIconsDiffer();
    void badUsage_data();
    void badUsage();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QByteArray m_list;
    QMap<QString, QString> m_files; // component, lower case -> file name
};

void TestVerbariumSkin::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A folder that does not exist yet: the tool makes it.
    m_folder = m_dir.filePath(QStringLiteral("program/bmps"));
    QProcess tool;
    tool.start(QStringLiteral(VERBARIUM_SKIN), {m_folder});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);

    QFile list(QDir(m_folder).filePath(QStringLiteral("Imglst.lst")));
    QVERIFY(list.open(QIODevice::ReadOnly));
    m_list = list.readAll();
    for (const QByteArray &line : m_list.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            m_files.insert(QString::fromLatin1(line.left(equals)).toLower(),
                           QString::fromLatin1(line.mid(equals + 1).trimmed()));
    }
}

void TestVerbariumSkin::listNamesReadablePictures()
{
    QVERIFY(m_list.endsWith("\r\n"));
    QList<QByteArray> lines = m_list.split('\n');
    lines.removeLast();

    QStringList known;
    for (const Expected &e : expectedPictures())
        known.append(e.component.toLower());
    QSet<QString> listed;
    QSet<QByteArray> formats;
    for (QByteArray line : std::as_const(lines)) {
        QVERIFY2(line.endsWith('\r'), line.constData());
        line.chop(1);
        const QList<QByteArray> parts = line.split('=');
        QCOMPARE(parts.size(), 2);
        const QString component = QString::fromLatin1(parts[0]);
        const QString file = QString::fromLatin1(parts[1]);
        QVERIFY2(known.contains(component.toLower()), line.constData());
        QVERIFY2(!listed.contains(component.toLower()), line.constData());
        listed.insert(component.toLower());
        QVERIFY2(!readByExtension(QDir(m_folder).filePath(file)).isNull(), line.constData());
        formats.insert(QFileInfo(file).suffix().toLower().toLatin1());
    }
    QCOMPARE(listed.size(), known.size());
    // The skin exercises the program's decoder with more than one kind of file.
    QVERIFY(formats.size() >= 3);
}

void TestVerbariumSkin::pictures_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("glyph");
    for (const Expected &e : expectedPictures())
        QTest::newRow(qPrintable(e.component)) << e.component << e.size << e.glyph;
}

void TestVerbariumSkin::pictures()
{
    QFETCH(QString, component);
    QFETCH(QSize, size);
    QFETCH(bool, glyph);
    const QString file = m_files.value(component.toLower());
    QVERIFY2(!file.isEmpty(), "not in the list");
    const QImage picture =
        readByExtension(QDir(m_folder).filePath(file)).convertToFormat(QImage::Format_RGB32);
    if (!glyph) {
        QCOMPARE(picture.size(), size);
        return;
    }
    // Five states side by side; the bottom-left pixel names the transparent colour.
    QCOMPARE(picture.size(), QSize(size.width() * 5, size.height()));
    QCOMPARE(picture.pixel(0, size.height() - 1), Key);
    const QImage normal = picture.copy(0, 0, size.width(), size.height());
    for (int state = 0; state < 5; ++state) {
        const QImage image = picture.copy(state * size.width(), 0, size.width(), size.height());
        int face = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                face += image.pixel(x, y) != Key;
        }
        QVERIFY2(face > image.width() * image.height() / 2, qPrintable(QString::number(state)));
        if (state > 0)
            QVERIFY2(image != normal, qPrintable(QString::number(state)));
    }
}

void TestVerbariumSkin::calendarIconsDiffer()
{
    const QImage list =
        readByExtension(QDir(m_folder).filePath(m_files.value(QStringLiteral("imagelist2"))))
            .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(list.size(), QSize(17 * 32, 32));
    QList<QImage> icons;
    for (int category : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) {
        const QImage icon = list.copy(category * 32, 0, 32, 32);
        // A picture, not a plain square: a fair part of it stands out from the tile.
        int sign = 0;
        for (int y = 2; y < 30; ++y) {
            for (int x = 2; x < 30; ++x)
                sign += icon.pixel(x, y) != icon.pixel(2, 2);
        }
        QVERIFY2(sign >= 40, qPrintable(QStringLiteral("%1: %2").arg(category).arg(sign)));
        for (const QImage &other : std::as_const(icons))
            QVERIFY2(icon != other, qPrintable(QString::number(category)));
        icons.append(icon);
    }
}

void TestVerbariumSkin::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no folder") << QStringList();
    QTest::newRow("two folders") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("an option") << QStringList{QStringLiteral("--help")};
}

void TestVerbariumSkin::badUsage()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(VERBARIUM_SKIN), arguments);
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 64);
    QVERIFY(tool.readAllStandardError().contains("usage"));
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestVerbariumSkin)
#include "tst_verbariumskin.moc"
