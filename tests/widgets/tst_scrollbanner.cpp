#include "TScrollBanner.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

namespace {

// Ticks until the text moves; fails the test if it moves earlier or not at all.
bool step(TScrollBanner &banner)
{
    for (int i = 0; i < 10; ++i) {
        if (banner.Tick())
            return false;
    }
    return banner.Tick();
}

// Steps until the text is at `x`; false if it moves wrongly or does not get there in a round.
bool stepTo(TScrollBanner &banner, int x)
{
    for (int i = 0; i < 2000; ++i) {
        if (banner.TextPosition().x() == x)
            return true;
        if (!step(banner))
            return false;
    }
    return false;
}

// Remembers the rects of the paint events a widget gets.
class PaintSpy : public QObject
{
public:
    explicit PaintSpy(QWidget *widget) { widget->installEventFilter(this); }
    QList<QRect> rects;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            rects.append(static_cast<QPaintEvent *>(event)->rect());
        return false;
    }
};

} // namespace

class TestScrollBanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneBlankAtTheEnd_data();
    void oneBlankAtTheEnd();
    void startsAtTheWidthAndMovesEvery11Ticks();
    void startsAgainAfterLeavingOnTheLeft();
    void emptyTextStops();
    void centresVertically_data();
    void centresVertically();
    void sampleHeightHoldsPolishCapitalsAndDescenders();
    void rendersOnceAndPaintsThePixmapOnBlack();
    void stepRepaintsOnlyWhereTheTextWas();
    void textColour();
};

void TestScrollBanner::oneBlankAtTheEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no blank") << QStringLiteral("Pan Tadeusz") << QStringLiteral("Pan Tadeusz ");
    QTest::newRow("one blank") << QStringLiteral("Lalka ") << QStringLiteral("Lalka ");
    QTest::newRow("two blanks") << QStringLiteral("Wesele  ") << QStringLiteral("Wesele  ");
    QTest::newRow("blank in front only") << QStringLiteral(" Treny") << QStringLiteral(" Treny ");
    QTest::newRow("Polish letters")
        << QStringLiteral("Dwór szlachecki – Żółć") << QStringLiteral("Dwór szlachecki – Żółć ");
}

void TestScrollBanner::oneBlankAtTheEnd()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    TScrollBanner banner;
    banner.SetText(text);
    QCOMPARE(banner.Text(), expected);
    const QFontMetrics metrics(TScrollBanner::BannerFont());
    QCOMPARE(banner.TextWidth(), metrics.horizontalAdvance(expected));
    QCOMPARE(banner.TextPixmap().deviceIndependentSize().toSize(),
             QSize(banner.TextWidth(), TScrollBanner::SampleTextHeight()));
}

void TestScrollBanner::startsAtTheWidthAndMovesEvery11Ticks()
{
    TScrollBanner banner;
    banner.resize(300, 30);
    banner.SetText(QStringLiteral("Treny"));
    QCOMPARE(banner.TextPosition().x(), 300);

    for (int expected = 299; expected > 290; --expected) {
        for (int i = 0; i < 10; ++i) {
            QVERIFY(!banner.Tick());
            QCOMPARE(banner.TextPosition().x(), expected + 1);
        }
        QVERIFY(banner.Tick());
        QCOMPARE(banner.TextPosition().x(), expected);
    }

    // A new text starts again from the right edge and the tick count from zero.
    QVERIFY(!banner.Tick());
    banner.SetText(QStringLiteral("Lalka"));
    QCOMPARE(banner.TextPosition().x(), 300);
    QVERIFY(step(banner));
    QCOMPARE(banner.TextPosition().x(), 299);
}

void TestScrollBanner::startsAgainAfterLeavingOnTheLeft()
{
    TScrollBanner banner;
    banner.resize(40, 20);
    banner.SetText(QStringLiteral("Ab"));
    const int width = banner.TextWidth();
    QVERIFY(width > 0);
    // Where it starts again is the width the banner had when the text was set.
    banner.resize(80, 20);

    // Its last column at -1: gone, but not yet past.
    QVERIFY(stepTo(banner, -width));
    QVERIFY(step(banner));
    QCOMPARE(banner.TextPosition().x(), 40);
    QVERIFY(step(banner));
    QCOMPARE(banner.TextPosition().x(), 39);
}

void TestScrollBanner::emptyTextStops()
{
    TScrollBanner banner;
    banner.resize(200, 20);
    for (int i = 0; i < 30; ++i)
        QVERIFY(!banner.Tick());

    banner.SetText(QStringLiteral("Lalka"));
    QVERIFY(step(banner));
    banner.SetText(QString());
    QCOMPARE(banner.Text(), QString());
    QVERIFY(banner.TextPixmap().isNull());
    for (int i = 0; i < 30; ++i)
        QVERIFY(!banner.Tick());

    QImage shot = banner.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage black(shot.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    QCOMPARE(shot, black);
}

void TestScrollBanner::centresVertically_data()
{
    QTest::addColumn<int>("extra"); // banner height minus the text's
    QTest::addColumn<bool>("resizedAfterwards");
    QTest::addColumn<int>("y");

    QTest::newRow("as high as the text") << 0 << false << 0;
    QTest::newRow("two pixels higher") << 2 << false << 1;
    QTest::newRow("three pixels higher") << 3 << false << 1;
    QTest::newRow("fourteen pixels higher") << 14 << false << 7;
    // Rounded towards zero, not down.
    QTest::newRow("three pixels lower") << -3 << false << -1;
    QTest::newRow("height set after the text") << 2 << true << 1;
}

void TestScrollBanner::centresVertically()
{
    QFETCH(int, extra);
    QFETCH(bool, resizedAfterwards);
    QFETCH(int, y);

    const int height = TScrollBanner::SampleTextHeight() + extra;
    TScrollBanner banner;
    banner.resize(200, resizedAfterwards ? 100 : height);
    banner.SetText(QStringLiteral("Ziemia obiecana"));
    banner.resize(200, height);
    QCOMPARE(banner.TextPosition().y(), y);
}

void TestScrollBanner::sampleHeightHoldsPolishCapitalsAndDescenders()
{
    // A banner as high as the sample text shows the ink of every letter of a text, the dot
    // over a capital Ż and the tail of a g included.
    const QString text = QStringLiteral("ŻÓŁW gąbka Ohamburgerofons");
    const QFontMetrics metrics(TScrollBanner::BannerFont());
    const int height = TScrollBanner::SampleTextHeight();
    QRect ink = metrics.tightBoundingRect(text);
    ink.translate(0, TScrollBanner::Baseline());
    QVERIFY2(
        ink.top() >= 0 && ink.bottom() < height,
        qPrintable(
            QStringLiteral("ink %1..%2, banner %3").arg(ink.top()).arg(ink.bottom()).arg(height)));

    TScrollBanner banner;
    banner.resize(300, height);
    banner.SetText(text);
    QCOMPARE(banner.TextPosition().y(), 0);
}

void TestScrollBanner::rendersOnceAndPaintsThePixmapOnBlack()
{
    TScrollBanner banner;
    banner.resize(120, 24);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));

    banner.SetText(QStringLiteral("Wesele"));
    QCOMPARE(banner.RenderCount(), 1);
    const qint64 pixmap = banner.TextPixmap().cacheKey();

    // Right of the middle, half off the left edge, and just started again.
    for (const int x : {100, -20, 120}) {
        QVERIFY(stepTo(banner, x));
        const QImage shot = banner.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(shot.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawPixmap(banner.TextPosition(), banner.TextPixmap());
        QCOMPARE(shot, expected);
    }
    QCOMPARE(banner.RenderCount(), 1);
    QCOMPARE(banner.TextPixmap().cacheKey(), pixmap);
}

void TestScrollBanner::stepRepaintsOnlyWhereTheTextWas()
{
    TScrollBanner banner;
    banner.resize(400, 24);
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    banner.SetText(QStringLiteral("Ab"));
    QVERIFY(stepTo(banner, 201));
    QCoreApplication::processEvents();

    PaintSpy spy(&banner);
    for (int i = 0; i < 10; ++i)
        QVERIFY(!banner.Tick());
    QCoreApplication::processEvents();
    QCOMPARE(spy.rects.size(), 0);

    QVERIFY(banner.Tick());
    QCoreApplication::processEvents();
    QCOMPARE(spy.rects.size(), 1);
    // The text's new place and the column it left.
    const QPoint at = banner.TextPosition();
    const int height = banner.TextPixmap().deviceIndependentSize().toSize().height();
    QCOMPARE(spy.rects.constFirst(),
             QRect(at.x(), at.y(), banner.TextWidth() + 1, height) & banner.rect());
}

void TestScrollBanner::textColour()
{
    TScrollBanner banner;
    banner.SetTextColor(QColor(255, 0, 0));
    banner.SetText(QStringLiteral("Żółć"));

    // Every pixel is the colour over black, in some strength.
    auto inkOnly = [&banner](int red, int green, int blue) {
        const QImage image = banner.TextPixmap().toImage().convertToFormat(QImage::Format_RGB32);
        int strongest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int strength = qMax(qRed(pixel), qMax(qGreen(pixel), qBlue(pixel)));
                if (qAbs(qRed(pixel) - red * strength / 255) > 1 ||
                    qAbs(qGreen(pixel) - green * strength / 255) > 1 ||
                    qAbs(qBlue(pixel) - blue * strength / 255) > 1)
                    return false;
                strongest = qMax(strongest, strength);
            }
        }
        return strongest == 255;
    };
    QVERIFY(inkOnly(255, 0, 0));

    // A new colour while running renders the text again where it is.
    QVERIFY(step(banner));
    const QPoint at = banner.TextPosition();
    banner.SetTextColor(QColor(255, 255, 0));
    QVERIFY(inkOnly(255, 255, 0));
    QCOMPARE(banner.TextPosition(), at);
}

QTEST_MAIN(TestScrollBanner)
#include "tst_scrollbanner.moc"
