#include "ContainerFixture.h"
#include "TCalendarBar.h"
#include "TCalendarStrip.h"
#include "TKalendarList.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace fixture;

namespace {

constexpr int ViewWidth = 400;
constexpr int FirstYear = 1001;

struct Event
{
    QString text = QStringLiteral("Wydarzenie");
    QString author = QStringLiteral("- ");
    QString more;
    QString work;
};

QByteArray fieldList(int year, const Event &event)
{
    return cp(QStringLiteral("Rok=%1\r\nKategoria=6\r\nTyp_wydarzenia=1\r\nWydarzenie bis=%2\r\n"
                             "Autor=%3\r\nDodatkowe_informacje=%4\r\n_19701=%5\r\n")
                  .arg(year)
                  .arg(event.text, event.author, event.more, event.work));
}

QString tagsOf(const TCalendarStrip &strip)
{
    QStringList tags;
    for (const TCalendarBar *bar : strip.Bars())
        tags.append(QString::number(bar->Tag()));
    return tags.join(u' ');
}

} // namespace

class TestCalendarStrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void scrolling_data();
    void scrolling();
    void bars_data();
    void bars();
    void resizeWhileALinkIsPressed();
    void rebuild_data();
    void rebuild();
    void keys_data();
    void keys();
    void wheel_data();
    void wheel();
    void linkBarByKeyboard();
    void accessibleBars_data();
    void accessibleBars();

private:
    // `count` events of years 1001, 1002, ..., one of them (`missing`) without a field list,
    // the one at `special` as given; the strip `view` pixels high over them.
    void build(int count, int view, int missing = -1, int special = -1, const Event &event = {});
    void verifyGaps();

    TKalendarList m_list;
    std::unique_ptr<TPSSDirectory> m_directory;
    std::unique_ptr<TCalendarStrip> m_strip;
    QString m_range;
};

void TestCalendarStrip::init()
{
    m_list.Clear();
    m_range.clear();
}

void TestCalendarStrip::cleanup()
{
    m_strip.reset();
    m_directory.reset();
}

void TestCalendarStrip::build(int count, int view, int missing, int special, const Event &event)
{
    QList<Item> items;
    Entries entries;
    for (int i = 0; i < count; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        items.append({"u" + numer, "_19708", numer});
        if (i != missing)
            entries.append({"L197\\TypX\\_19708\\" + numer + "\\Pola",
                            fieldList(FirstYear + i, i == special ? event : Event())});
        m_list.Add({FirstYear + i, 6, 1, QString::fromLatin1(numer), QStringLiteral("_19708")});
    }
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    m_directory = std::make_unique<TPSSDirectory>(
        std::make_unique<TSimplePSS>(container(entries), QStringLiteral("mem")));
    m_strip = std::make_unique<TCalendarStrip>(m_list);
    m_strip->SetDirectory(m_directory.get());
    // Category icon c of the large image list is a plain square of colour (10c, 100, 200).
    QImage icons(32 * 17, 32, QImage::Format_RGB32);
    for (int x = 0; x < icons.width(); ++x)
        for (int y = 0; y < 32; ++y)
            icons.setPixel(x, y, qRgb(10 * (x / 32), 100, 200));
    m_strip->SetImageList(icons);
    connect(m_strip.get(), &TCalendarStrip::RangeChanged, this,
            [this](const QString &text) { m_range = text; });
    m_strip->resize(ViewWidth, view);
    m_strip->show(); // its first resize builds the strip
}

void TestCalendarStrip::scrolling_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("missing");
    QTest::addColumn<QString>("steps"); // F forward, B back
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("moreBelow");
    QTest::addColumn<QString>("tags");
    QTest::addColumn<QString>("range");

    // The view is 205 pixels high: five one-line bars of 40 and their gaps.
    QTest::newRow("fill") << 10 << -1 << "" << 0 << 4 << true << "1001 1002 1003 1004 1005"
                          << "1001 - 1005";
    QTest::newRow("one event forward")
        << 10 << -1 << "F" << 1 << 5 << true << "1002 1003 1004 1005 1006"
        << "1002 - 1006";
    // The bar pushed down to the view's lower edge stays until the next prune.
    QTest::newRow("forward and back")
        << 10 << -1 << "FB" << 0 << 5 << true << "1001 1002 1003 1004 1005 1006"
        << "1001 - 1006";
    QTest::newRow("back at the first event does nothing")
        << 10 << -1 << "BB" << 0 << 4 << true << "1001 1002 1003 1004 1005"
        << "1001 - 1005";
    QTest::newRow("every event and the end bar after them")
        << 3 << -1 << "" << 0 << 3 << false << "1001 1002 1003 1997"
        << "1001 - 1997";
    QTest::newRow("forward with the end bar in view does nothing")
        << 3 << -1 << "FF" << 0 << 3 << false << "1001 1002 1003 1997"
        << "1001 - 1997";
    QTest::newRow("one event") << 1 << -1 << "F" << 0 << 1 << false << "1001 1997"
                               << "1001 - 1997";
    QTest::newRow("forward stops once the end bar is built")
        << 6 << -1 << "FFFF" << 2 << 6 << true << "1003 1004 1005 1006 1997"
        << "1003 - 1997";
    QTest::newRow("empty list") << 0 << -1 << "FB" << 0 << -1 << false << ""
                                << "9999 - 0";
    QTest::newRow("unreadable first event leaves the view empty")
        << 10 << 0 << "" << 0 << 0 << true << ""
        << "9999 - 0";
    QTest::newRow("unreadable event is passed over")
        << 10 << 1 << "" << 0 << 5 << true << "1001 1003 1004 1005 1006"
        << "1001 - 1006";
}

void TestCalendarStrip::scrolling()
{
    QFETCH(int, count);
    QFETCH(int, missing);
    QFETCH(QString, steps);
    build(count, 205, missing);
    for (QChar step : steps) {
        if (step == u'F')
            m_strip->ScrollForward();
        else
            m_strip->ScrollBack();
    }
    QTEST(m_strip->TopEvent(), "top");
    QTEST(m_strip->LastEvent(), "last");
    QTEST(m_strip->MoreBelow(), "moreBelow");
    QTEST(tagsOf(*m_strip), "tags");
    QTEST(m_range, "range");
    verifyGaps();
}

void TestCalendarStrip::verifyGaps()
{
    // The bars follow one another with a one-pixel gap, the first at the view's top.
    int top = 0;
    for (const TCalendarBar *bar : m_strip->Bars()) {
        QCOMPARE(bar->y(), top);
        top += bar->height() + 1;
    }
}

void TestCalendarStrip::bars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("more");
    QTest::addColumn<QString>("work");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("wraps");

    const QString long_ = QStringLiteral(
        "Prapremiera „Dziadów” Adama Mickiewicza w inscenizacji Stanisława Wyspiańskiego na "
        "scenie Teatru Miejskiego w Krakowie, z muzyką, dekoracjami i kostiumami autora");
    QTest::newRow("no author, no more") << "Pan Tadeusz"
                                        << "- "
                                        << ""
                                        << ""
                                        << "Pan Tadeusz" << false;
    QTest::newRow("author and more") << "Wesele"
                                     << "Stanisław Wyspiański"
                                     << "prapremiera"
                                     << ""
                                     << "Wesele; Stanisław Wyspiański; prapremiera" << false;
    QTest::newRow("absent author") << "Lalka"
                                   << ""
                                   << ""
                                   << ""
                                   << "Lalka; " << false;
    QTest::newRow("a link") << "Lalka"
                            << "- "
                            << ""
                            << "5"
                            << "Lalka" << false;
    QTest::newRow("markup shown as written") << "<b>Wesele</b> &amp;"
                                             << "- "
                                             << ""
                                             << ""
                                             << "<b>Wesele</b> &amp;" << false;
    QTest::newRow("wrapped") << long_ << "- "
                             << ""
                             << "" << long_ << true;
}

void TestCalendarStrip::bars()
{
    QFETCH(QString, text);
    QFETCH(QString, author);
    QFETCH(QString, more);
    QFETCH(QString, work);
    QFETCH(bool, wraps);
    build(2, 300, -1, 0, {text, author, more, work});
    const TCalendarBar *bar = m_strip->Bars().value(0);
    QVERIFY(bar);
    QLabel *label = bar->TextLabel();
    QTEST(label->text(), "shown");
    QCOMPARE(bar->width(), ViewWidth);
    // The year whole in its label, at least 32 wide; the text 4 pixels after it, 32 short of
    // the right edge.
    const auto *year = bar->findChild<QLabel *>(QStringLiteral("Year"));
    QCOMPARE(year->text(), QStringLiteral("1001"));
    QVERIFY(year->font().bold());
    QVERIFY(year->width() >= 32);
    QVERIFY(QFontMetrics(year->font()).horizontalAdvance(year->text()) <= year->width());
    QCOMPARE(label->geometry(),
             QRect(year->width() + 4, 2, ViewWidth - 36 - year->width(), label->height()));
    if (wraps) {
        QVERIFY2(label->height() >= 32, qPrintable(QString::number(label->height())));
        QCOMPARE(bar->height(), label->height() + 8);
    } else {
        QVERIFY(label->height() < 32);
        QCOMPARE(bar->height(), 40);
        // Shown as written, never taken for markup.
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    // The icon of the event's category, 6, at the right.
    const auto *icon = bar->findChild<QLabel *>(QStringLiteral("Icon"));
    QVERIFY(icon);
    QCOMPARE(icon->geometry(), QRect(ViewWidth - 36, 2, 32, 32));
    QCOMPARE(icon->pixmap().toImage().pixel(5, 5), qRgb(60, 100, 200));
    // The next bar starts after the gap.
    QCOMPARE(m_strip->Bars().value(1)->y(), bar->height() + 1);
    const bool link = !work.isEmpty();
    QCOMPARE(label->palette().color(QPalette::WindowText),
             link ? QColor(0, 0, 255) : QColor(Qt::black));
    QCOMPARE(label->font().underline(), link);
    QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TestCalendarStrip::resizeWhileALinkIsPressed()
{
    build(10, 205, -1, 0,
          {QStringLiteral("Lalka"), QStringLiteral("- "), QString(), QStringLiteral("5")});
    QSignalSpy down(m_strip.get(), &TCalendarStrip::LinkDown);
    QSignalSpy up(m_strip.get(), &TCalendarStrip::LinkUp);
    const QList<TCalendarBar *> before = m_strip->Bars();
    QLabel *link = before.first()->TextLabel();

    QTest::mousePress(link, Qt::LeftButton);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.first().first().toInt(), 0);
    QVERIFY(m_strip->LinkPressed());
    m_strip->resize(ViewWidth + 100, 400);
    QCOMPARE(m_strip->Bars(), before);
    QCOMPARE(before.first()->width(), ViewWidth);

    QTest::mouseRelease(link, Qt::LeftButton);
    QCOMPARE(up.count(), 1);
    QVERIFY(!m_strip->LinkPressed());
    m_strip->resize(ViewWidth + 100, 401);
    QCOMPARE(m_strip->Bars().first()->width(), ViewWidth + 100);
    QCOMPARE(tagsOf(*m_strip), QStringLiteral("1001 1002 1003 1004 1005 1006 1007 1008 1009 1010"));
}

void TestCalendarStrip::rebuild_data()
{
    QTest::addColumn<QString>("steps"); // F forward, B back, before the rebuild
    QTest::addColumn<int>("view");      // the height the rebuild fills
    QTest::addColumn<QString>("tags");
    QTest::addColumn<QString>("range");

    QTest::newRow("after the view shrinks") << "" << 100 << "1001 1002 1003"
                                            << "1001 - 1003";
    QTest::newRow("after the view shrinks from further down") << "FF" << 60 << "1003 1004"
                                                              << "1003 - 1004";
    QTest::newRow("after scrolling back to a bar at the lower edge")
        << "FB" << 205 << "1001 1002 1003 1004 1005"
        << "1001 - 1005";
}

void TestCalendarStrip::rebuild()
{
    QFETCH(QString, steps);
    QFETCH(int, view);
    build(10, 205);
    for (QChar step : steps) {
        if (step == u'F')
            m_strip->ScrollForward();
        else
            m_strip->ScrollBack();
    }
    if (view == m_strip->height())
        m_strip->FillCalendarView();
    else
        m_strip->resize(ViewWidth, view);
    // Only the new fill, no bar of the old one left under it.
    QTEST(tagsOf(*m_strip), "tags");
    QTEST(m_range, "range");
    verifyGaps();
    QCOMPARE(m_strip->findChildren<TCalendarBar *>(Qt::FindDirectChildrenOnly).size(),
             m_strip->Bars().size());
}

void TestCalendarStrip::keys_data()
{
    QTest::addColumn<int>("start"); // the top event before the key
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("moreBelow");

    // Ten events in a view of five bars.
    QTest::newRow("Down") << 0 << int(Qt::Key_Down) << 1 << true;
    QTest::newRow("Up") << 3 << int(Qt::Key_Up) << 2 << true;
    QTest::newRow("Up at the first event") << 0 << int(Qt::Key_Up) << 0 << true;
    QTest::newRow("Page Down: the bars in view") << 0 << int(Qt::Key_PageDown) << 5 << true;
    QTest::newRow("Page Down stops at the end bar") << 4 << int(Qt::Key_PageDown) << 6 << true;
    QTest::newRow("Page Up") << 7 << int(Qt::Key_PageUp) << 2 << true;
    QTest::newRow("Page Up stops at the first event") << 3 << int(Qt::Key_PageUp) << 0 << true;
    QTest::newRow("Home") << 4 << int(Qt::Key_Home) << 0 << true;
    QTest::newRow("End") << 1 << int(Qt::Key_End) << 6 << false;
    QTest::newRow("End with the end bar in view") << 6 << int(Qt::Key_End) << 6 << false;
    QTest::newRow("another key") << 2 << int(Qt::Key_Right) << 2 << true;
}

void TestCalendarStrip::keys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    build(10, 205);
    m_strip->SetTopEvent(start);
    m_strip->FillCalendarView();
    QTest::keyClick(m_strip.get(), Qt::Key(key));
    QTEST(m_strip->TopEvent(), "top");
    QTEST(m_strip->MoreBelow(), "moreBelow");
    QCOMPARE(m_strip->Bars().first()->Tag(), FirstYear + m_strip->TopEvent());
    QCOMPARE(m_range.left(4).toInt(), FirstYear + m_strip->TopEvent());
    verifyGaps();
}

void TestCalendarStrip::wheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("turns"); // 120 a notch, negative towards the reader
    QTest::addColumn<int>("top");

    const int lines = QApplication::wheelScrollLines();
    QTest::newRow("a notch down") << 0 << QList<int>{-120} << lines;
    QTest::newRow("a notch up") << 5 << QList<int>{120} << 5 - lines;
    QTest::newRow("two half notches down") << 0 << QList<int>{-60, -60} << lines;
    QTest::newRow("a notch down and up") << 2 << QList<int>{-120, 120} << 2;
    QTest::newRow("up at the first event") << 0 << QList<int>{120} << 0;
}

void TestCalendarStrip::wheel()
{
    QFETCH(int, start);
    QFETCH(QList<int>, turns);
    build(20, 205);
    m_strip->SetTopEvent(start);
    m_strip->FillCalendarView();
    const QPointF at(10, 10);
    for (int delta : turns) {
        QWheelEvent turn(at, m_strip->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_strip.get(), &turn);
    }
    QTEST(m_strip->TopEvent(), "top");
    QCOMPARE(m_strip->Bars().first()->Tag(), FirstYear + m_strip->TopEvent());
}

void TestCalendarStrip::linkBarByKeyboard()
{
    build(10, 205, -1, 1,
          {QStringLiteral("Lalka"), QStringLiteral("- "), QString(), QStringLiteral("5")});
    QVERIFY(QTest::qWaitForWindowActive(m_strip.get()));
    TCalendarBar *plain = m_strip->Bars().at(0);
    TCalendarBar *link = m_strip->Bars().at(1);
    QCOMPARE(plain->focusPolicy(), Qt::NoFocus);
    QVERIFY(link->focusPolicy() & Qt::TabFocus);

    // Tab goes from the strip to the link, Enter opens it as a click does.
    m_strip->setFocus();
    QTest::keyClick(m_strip.get(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), link);
    QSignalSpy down(m_strip.get(), &TCalendarStrip::LinkDown);
    QSignalSpy up(m_strip.get(), &TCalendarStrip::LinkUp);
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.first().first().toInt(), 1);
    QCOMPARE(up.count(), 1);
    QVERIFY(!m_strip->LinkPressed());

    // The arrows reach the strip from the bar; when the bar leaves the view the keyboard
    // stays in the strip.
    QTest::keyClick(link, Qt::Key_Down);
    QCOMPARE(m_strip->TopEvent(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(m_strip->TopEvent(), 2);
    QCOMPARE(QApplication::focusWidget(), m_strip.get());
}

void TestCalendarStrip::accessibleBars_data()
{
    QTest::addColumn<QString>("work");
    QTest::addColumn<int>("role");

    QTest::newRow("a link") << "5" << int(QAccessible::Link);
    QTest::newRow("no link") << "" << int(QAccessible::StaticText);
}

void TestCalendarStrip::accessibleBars()
{
    QFETCH(QString, work);
    build(2, 300, -1, 0, {QStringLiteral("Lalka"), QStringLiteral("- "), QString(), work});
    QSignalSpy down(m_strip.get(), &TCalendarStrip::LinkDown);
    TCalendarBar *bar = m_strip->Bars().at(0);
    QAccessibleInterface *item = QAccessible::queryAccessibleInterface(bar);
    QVERIFY(item);
    QTEST(int(item->role()), "role");
    QCOMPARE(item->text(QAccessible::Name), QStringLiteral("1001: Lalka"));
    QCOMPARE(item->text(QAccessible::Description), QStringLiteral("Literatura polska, książka"));
    QCOMPARE(item->childCount(), 0); // its labels are not said twice
    QCOMPARE(item->state().linked, !work.isEmpty());
    QAccessibleActionInterface *actions = item->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
             !work.isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(down.count(), work.isEmpty() ? 0 : 1);

    QAccessibleInterface *end = QAccessible::queryAccessibleInterface(m_strip->Bars().at(2));
    QCOMPARE(end->role(), QAccessible::StaticText);
    QCOMPARE(end->text(QAccessible::Name), QStringLiteral("Koniec kalendarium"));
}

QTEST_MAIN(TestCalendarStrip)
#include "tst_calendarstrip.moc"
