#include "TLEDDisplay.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QTest>

class TestLEDDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueAndDigits_data();
    void valueAndDigits();
    void colours();
};

void TestLEDDisplay::valueAndDigits_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("digits");

    QTest::newRow("zero") << 0 << QStringLiteral("000");
    QTest::newRow("one digit") << 7 << QStringLiteral("007");
    QTest::newRow("two digits") << 60 << QStringLiteral("060");
    QTest::newRow("three digits") << 144 << QStringLiteral("144");
}

void TestLEDDisplay::valueAndDigits()
{
    QFETCH(int, value);
    QFETCH(QString, digits);

    TLEDDisplay display;
    display.setAccessibleName(QStringLiteral("Czas"));
    QCOMPARE(display.Value(), 0);
    display.SetValue(value);
    QCOMPARE(display.Value(), value);
    QCOMPARE(display.digitCount(), 3);
    QCOMPARE(display.intValue(), value);

    // What is drawn: the same as a display given the three digits themselves.
    display.resize(80, 30);
    QLCDNumber expected(3);
    expected.setSegmentStyle(QLCDNumber::Flat);
    expected.setFrameShape(QFrame::NoFrame);
    expected.setAutoFillBackground(true);
    expected.setPalette(display.palette());
    expected.resize(80, 30);
    expected.display(digits);
    QCOMPARE(display.grab().toImage(), expected.grab().toImage());

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&display);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Czas"));
    QCOMPARE(accessible->text(QAccessible::Value), QString::number(value));
    QAccessibleValueInterface *valueInterface = accessible->valueInterface();
    QVERIFY(valueInterface);
    QCOMPARE(valueInterface->currentValue().toInt(), value);
    QCOMPARE(valueInterface->minimumValue().toInt(), 0);
    QCOMPARE(valueInterface->maximumValue().toInt(), 999);
    valueInterface->setCurrentValue(5); // read only
    QCOMPARE(display.Value(), value);
}

void TestLEDDisplay::colours()
{
    TLEDDisplay display;
    display.resize(80, 30);
    const QImage image = display.grab().toImage();
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
    bool lime = false;
    for (int y = 0; y < image.height() && !lime; ++y) {
        for (int x = 0; x < image.width() && !lime; ++x)
            lime = image.pixelColor(x, y) == QColor(0, 255, 0);
    }
    QVERIFY(lime);
}

QTEST_MAIN(TestLEDDisplay)
#include "tst_leddisplay.moc"
