#include "PictureFit.h"

#include <QTest>

class TestPictureFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onPage_data();
    void onPage();
};

void TestPictureFit::onPage_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QRect>("expected");

    // 600/800 = 0.75 across, 1000/1000 = 1 down: the height fills, (800 - 600) / 2 = 100.
    QTest::newRow("portrait, taller than the page")
        << QSize(600, 1000) << QSize(800, 1000) << QRect(100, 0, 600, 1000);
    // 1600/800 = 2 across, 900/1000 = 0.9 down: the width fills, 900 / 2 = 450 high,
    // (1000 - 450) / 2 = 275 from the top.
    QTest::newRow("landscape") << QSize(1600, 900) << QSize(800, 1000) << QRect(0, 275, 800, 450);
    // 0.5 both ways: the height fills and the left edge is 0.
    QTest::newRow("same proportions")
        << QSize(400, 500) << QSize(800, 1000) << QRect(0, 0, 800, 1000);
    // Enlarged: 20 / (30/4960) = 3306.67 -> 3307 high; (7016 - 3307) / 2 = 1854.5 -> 1855.
    QTest::newRow("small picture, half a pixel")
        << QSize(30, 20) << QSize(4960, 7016) << QRect(0, 1855, 4960, 3307);
    // 1000 / 3 = 333.33 -> 333 wide; (800 - 333) / 2 = 233.5 -> 234.
    QTest::newRow("narrow, widths rounded")
        << QSize(1000, 3000) << QSize(800, 1000) << QRect(234, 0, 333, 1000);
    // A landscape page: 300/1000 = 0.3 across, 400/700 = 0.571 down: the height fills,
    // 300 / 0.5714 = 525 wide, (1000 - 525) / 2 = 237.5 -> 238.
    QTest::newRow("portrait on a landscape page")
        << QSize(300, 400) << QSize(1000, 700) << QRect(238, 0, 525, 700);
    QTest::newRow("no width") << QSize(0, 300) << QSize(800, 1000) << QRect();
    QTest::newRow("no height") << QSize(300, 0) << QSize(800, 1000) << QRect();
}

void TestPictureFit::onPage()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, page);
    QFETCH(QRect, expected);
    QCOMPARE(PictureFit::OnPage(picture, page), expected);
}

QTEST_APPLESS_MAIN(TestPictureFit)
#include "tst_picturefit.moc"
