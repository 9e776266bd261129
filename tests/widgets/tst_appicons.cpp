#include "AppIcons.h"

#include <QSvgRenderer>
#include <QTest>

// The program's own pictures: every command and category has one, each a valid 24 x 24
// drawing that paints something at every size, and no two alike.
class TestAppIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPictureRenders_data();
    void everyPictureRenders();
    void picturesDiffer();
    void unknownNamesHaveNoPicture();
};

namespace {

// How many pixels of the icon at that size are not transparent.
int coveredPixels(const QIcon &icon, int side, qreal ratio)
{
    const QImage image =
        icon.pixmap(QSize(side, side), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(side, side) * ratio)
        return -1;
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 0;
    }
    return covered;
}

QImage rendered(const QIcon &icon)
{
    return icon.pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void TestAppIcons::everyPictureRenders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QIcon>("icon");
    for (const QString &name : AppIcons::CommandNames())
        QTest::newRow(qPrintable(name)) << AppIcons::CommandPath(name) << AppIcons::Command(name);
    for (const QString &typ : AppIcons::CategoryCodes())
        QTest::newRow(qPrintable(typ)) << AppIcons::CategoryPath(typ) << AppIcons::Category(typ);
    QTest::newRow("program") << AppIcons::ProgramPath() << AppIcons::Program();
}

void TestAppIcons::everyPictureRenders()
{
    QFETCH(QString, path);
    QFETCH(QIcon, icon);
    QSvgRenderer renderer(path);
    QVERIFY2(renderer.isValid(), qPrintable(path));
    QCOMPARE(renderer.viewBox(), QRect(0, 0, 24, 24));
    QVERIFY(!icon.isNull());
    for (const int side : {16, 24, 32}) {
        for (const qreal ratio : {1.0, 2.0}) {
            const int covered = coveredPixels(icon, side, ratio);
            // Drawn at the asked size and device scale, covering a fair part of it.
            QVERIFY2(covered > side * side * ratio * ratio / 8,
                     qPrintable(QStringLiteral("%1 at %2 x%3").arg(path).arg(side).arg(ratio)));
        }
    }
}

void TestAppIcons::picturesDiffer()
{
    QList<QImage> seen;
    QStringList names;
    const auto check = [&](const QString &name, const QIcon &icon) {
        const QImage image = rendered(icon);
        const auto same = seen.indexOf(image);
        QVERIFY2(same < 0, qPrintable(name + QStringLiteral(" looks like ") + names.value(same)));
        seen.append(image);
        names.append(name);
    };
    for (const QString &name : AppIcons::CommandNames())
        check(name, AppIcons::Command(name));
    // The two codes of Polish art share one picture; every other category has its own.
    for (const QString &typ : AppIcons::CategoryCodes()) {
        if (typ != u"_19713")
            check(typ, AppIcons::Category(typ));
    }
    QCOMPARE(rendered(AppIcons::Category(QStringLiteral("_19713"))),
             rendered(AppIcons::Category(QStringLiteral("_19712"))));
    check(QStringLiteral("program"), AppIcons::Program());
}

void TestAppIcons::unknownNamesHaveNoPicture()
{
    QVERIFY(AppIcons::Command(QStringLiteral("nothing")).isNull());
    QVERIFY(AppIcons::Command(QString()).isNull());
    QVERIFY(AppIcons::Category(QStringLiteral("_19700")).isNull()); // the Index has no document
    QVERIFY(AppIcons::Category(QStringLiteral("_19701 ")).isNull());
    QVERIFY(AppIcons::CommandPath(QStringLiteral("../verbarium")).isEmpty());
}

QTEST_MAIN(TestAppIcons)
#include "tst_appicons.moc"
