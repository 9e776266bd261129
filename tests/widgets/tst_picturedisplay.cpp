#include "TPictureDisplay.h"

#include <QPainter>
#include <QTest>

namespace {

// Left half green, right half blue, so a mirrored or cropped picture shows.
QImage twoColourPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    return image;
}

} // namespace

class TestPictureDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitRect_data();
    void fitRect();
    void drawsPictureInFitRectOnBlack_data();
    void drawsPictureInFitRectOnBlack();
    void followsNewPictureAndNewSize();

private:
    QImage shownAndGrabbed(TPictureDisplay &display, const QSize &size);
};

void TestPictureDisplay::fitRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("wide picture, square area")
        << QSize(200, 100) << QSize(100, 100) << QRect(0, 25, 100, 50);
    QTest::newRow("tall picture, square area")
        << QSize(100, 200) << QSize(100, 100) << QRect(25, 0, 50, 100);
    QTest::newRow("same proportions, smaller")
        << QSize(40, 30) << QSize(480, 360) << QRect(0, 0, 480, 360);
    QTest::newRow("same proportions, larger")
        << QSize(960, 720) << QSize(480, 360) << QRect(0, 0, 480, 360);
    QTest::newRow("same size") << QSize(480, 360) << QSize(480, 360) << QRect(0, 0, 480, 360);
    QTest::newRow("smaller and wider than the area")
        << QSize(48, 20) << QSize(480, 360) << QRect(0, 80, 480, 200);
    QTest::newRow("larger and taller than the area")
        << QSize(1000, 2000) << QSize(300, 200) << QRect(100, 0, 100, 200);
    // 400 * 480 / 360 = 533.3 and (641 - 533) / 2 = 54; (10 - 3) / 2 = 3.
    QTest::newRow("scaled side rounds down")
        << QSize(480, 360) << QSize(641, 400) << QRect(54, 0, 533, 400);
    QTest::newRow("odd margin rounds down") << QSize(3, 1) << QSize(10, 10) << QRect(0, 3, 10, 3);
    QTest::newRow("picture without width") << QSize(0, 100) << QSize(300, 200) << QRect();
    QTest::newRow("picture without height") << QSize(100, 0) << QSize(300, 200) << QRect();
    QTest::newRow("area without width") << QSize(100, 100) << QSize(0, 200) << QRect();
    QTest::newRow("area without height") << QSize(100, 100) << QSize(300, 0) << QRect();
    QTest::newRow("null sizes") << QSize() << QSize() << QRect();
}

void TestPictureDisplay::fitRect()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, expected);

    QCOMPARE(TPictureDisplay::FitRect(picture, area), expected);
}

QImage TestPictureDisplay::shownAndGrabbed(TPictureDisplay &display, const QSize &size)
{
    display.resize(size);
    display.show();
    if (!QTest::qWaitForWindowExposed(&display))
        return {};
    return display.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestPictureDisplay::drawsPictureInFitRectOnBlack_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<QRect>("drawn");

    QTest::newRow("tall, smaller") << QSize(30, 40) << QSize(300, 200) << QRect(75, 0, 150, 200);
    QTest::newRow("wide, larger") << QSize(1200, 300) << QSize(300, 200) << QRect(0, 62, 300, 75);
}

void TestPictureDisplay::drawsPictureInFitRectOnBlack()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, widget);
    QFETCH(QRect, drawn);

    TPictureDisplay display;
    display.SetPicture(twoColourPicture(picture));
    const QImage shot = shownAndGrabbed(display, widget);
    QCOMPARE(shot.size(), widget);

    const QRgb black = qRgb(0, 0, 0);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(widget.width() - 1, 0), QPoint(0, widget.height() - 1),
          QPoint(widget.width() - 1, widget.height() - 1)})
        QCOMPARE(shot.pixel(corner), black);
    // Just outside the drawn rect on the side with a margin, and just inside it.
    if (drawn.left() > 0) {
        QCOMPARE(shot.pixel(drawn.left() - 1, drawn.center().y()), black);
        QCOMPARE(shot.pixel(drawn.right() + 1, drawn.center().y()), black);
    } else {
        QCOMPARE(shot.pixel(drawn.center().x(), drawn.top() - 1), black);
        QCOMPARE(shot.pixel(drawn.center().x(), drawn.bottom() + 1), black);
    }
    const int quarter = drawn.width() / 4;
    QCOMPARE(shot.pixel(drawn.left() + 1, drawn.top() + 1), qRgb(0, 255, 0));
    QCOMPARE(shot.pixel(drawn.center().x() - quarter, drawn.center().y()), qRgb(0, 255, 0));
    QCOMPARE(shot.pixel(drawn.center().x() + quarter, drawn.center().y()), qRgb(0, 0, 255));
    QCOMPARE(shot.pixel(drawn.right() - 1, drawn.bottom() - 1), qRgb(0, 0, 255));
}

void TestPictureDisplay::followsNewPictureAndNewSize()
{
    TPictureDisplay display;
    QImage shot = shownAndGrabbed(display, QSize(200, 100));
    QCOMPARE(shot.pixel(100, 50), qRgb(0, 0, 0));

    QImage red(QSize(50, 50), QImage::Format_RGB32);
    red.fill(Qt::red);
    display.SetPicture(red);
    QCOMPARE(display.Picture(), red);
    shot = shownAndGrabbed(display, QSize(200, 100));
    QCOMPARE(shot.pixel(100, 50), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(40, 50), qRgb(0, 0, 0));

    display.SetPicture(twoColourPicture(QSize(50, 50)));
    shot = shownAndGrabbed(display, QSize(200, 100));
    QCOMPARE(shot.pixel(60, 50), qRgb(0, 255, 0));

    // Taller now: the picture fills the width, 200 x 200 from y = 50.
    shot = shownAndGrabbed(display, QSize(200, 300));
    QCOMPARE(shot.pixel(100, 45), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(10, 55), qRgb(0, 255, 0));
    QCOMPARE(shot.pixel(190, 245), qRgb(0, 0, 255));
    QCOMPARE(shot.pixel(100, 255), qRgb(0, 0, 0));

    display.SetPicture(QImage());
    shot = shownAndGrabbed(display, QSize(200, 300));
    QCOMPARE(shot.pixel(100, 150), qRgb(0, 0, 0));
}

QTEST_MAIN(TestPictureDisplay)
#include "tst_picturedisplay.moc"
