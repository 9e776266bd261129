#include "TGlyphButton.h"
#include "TToolbarButton97.h"

#include <QTest>

// The picture buttons show where the keyboard focus is, whatever their picture and ground.
class TestPictureButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void focusFrame_data();
    void focusFrame();
};

void TestPictureButtons::focusFrame_data()
{
    QTest::addColumn<bool>("glyphButton");
    QTest::addColumn<QColor>("picture");
    QTest::newRow("glyph button, dark glyph") << true << QColor(10, 20, 40);
    QTest::newRow("glyph button, light glyph") << true << QColor(240, 235, 220);
    QTest::newRow("toolbar button, dark picture") << false << QColor(10, 20, 40);
    QTest::newRow("toolbar button, light picture") << false << QColor(240, 235, 220);
}

void TestPictureButtons::focusFrame()
{
    QFETCH(bool, glyphButton);
    QFETCH(QColor, picture);
    std::unique_ptr<QAbstractButton> button;
    if (glyphButton) {
        // Two states of 34 x 34 in the picture's colour; the bottom-left pixel is the key.
        QImage strip(68, 34, QImage::Format_RGB32);
        strip.fill(picture);
        strip.setPixel(0, 33, qRgb(255, 0, 255));
        auto *glyph = new TGlyphButton;
        QVERIFY(glyph->SetGlyph(strip, 2));
        button.reset(glyph);
    } else {
        QPixmap pixmap(30, 30);
        pixmap.fill(picture);
        auto *tool = new TToolbarButton97;
        tool->setAutoRaise(true);
        tool->setIcon(QIcon(pixmap));
        tool->setIconSize(QSize(30, 30));
        button.reset(tool);
    }
    button->resize(44, 34);
    button->show();
    QVERIFY(QTest::qWaitForWindowActive(button.get()));

    // The second line of pixels from the top, where the frame runs.
    const auto edge = [&button] {
        const QImage image = button->grab().toImage();
        QList<QRgb> pixels;
        for (int x = 2; x < 42; ++x)
            pixels.append(image.pixel(x, 1));
        return pixels;
    };
    button->clearFocus(); // a window that opens gives its only button the focus
    QVERIFY(!button->hasFocus());
    const QList<QRgb> plain = edge();
    QVERIFY(!(plain.contains(qRgb(0, 0, 0)) && plain.contains(qRgb(255, 255, 255))));

    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    // Dark and light dashes along the edge: one of the two stands out from any picture.
    const QList<QRgb> framed = edge();
    QVERIFY(framed.contains(qRgb(0, 0, 0)));
    QVERIFY(framed.contains(qRgb(255, 255, 255)));
}

QTEST_MAIN(TestPictureButtons)
#include "tst_picturebuttons.moc"
