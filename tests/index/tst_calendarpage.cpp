#include "CalendarLook.h"
#include "ContentError.h"
#include "FakeHelp.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "TAutoRepeat.h"
#include "TCalendarBar.h"
#include "TCalendarLegend.h"
#include "TCalendarStrip.h"
#include "TGlyphButton.h"
#include "TKalendariumPage.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"
#include "TfrmIndeks.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace fixture;

namespace {

constexpr int EventCount = 30;
constexpr int FilmCategory = 14;

// Event i: year 1801 + 2i, category 14 (film) for i = 7 and 20, otherwise i mod 4; type
// i mod 4 + 1. Event 3 refers to work 5.
int yearOf(int i)
{
    return 1801 + 2 * i;
}
int categoryOf(int i)
{
    return i == 7 || i == 20 ? FilmCategory : i % 4;
}

} // namespace

class TestCalendarPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void loadsOnceAtTheFirstVisit();
    void scrollButtons_data();
    void scrollButtons();
    void draggingOffTheButton_data();
    void draggingOffTheButton();
    void readErrorStopsTheRepeat();
    void sortButtons_data();
    void sortButtons();
    void filmOnTwoOrders_data();
    void filmOnTwoOrders();
    void searchByYear_data();
    void searchByYear();
    void legendCloses_data();
    void legendCloses();
    void typeButtonGlyphs();
    void helpModeShowsHelpInstead_data();
    void helpModeShowsHelpInstead();

private:
    TfrmIndeks *index() { return m_program.index(); }
    TKalendariumPage *page()
    {
        return qobject_cast<TKalendariumPage *>(index()->PageAt(TfrmIndeks::tsKalendarium));
    }
    template <typename T> T *part(const char *name)
    {
        return page()->findChild<T *>(QString::fromLatin1(name));
    }
    int firstYear()
    {
        return page()->Strip()->Bars().value(0) ? page()->Strip()->Bars().first()->Tag() : -1;
    }
    // Lets `ms` milliseconds pass for the repeat timer, without sleeping.
    void advance(int ms);

    ProgramFixture m_program;
    FakeHelp m_help;
    int m_elapsed = 0;
};

void TestCalendarPage::init()
{
    QList<Item> items;
    Entries entries;
    for (int i = 0; i < EventCount; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        items.append({"EV" + numer, "_19708", numer});
        entries.append({"L197\\TypX\\_19708\\" + numer + "\\Pola",
                        cp(QStringLiteral("Rok=%1\r\nKategoria=%2\r\nTyp_wydarzenia=%3\r\n"
                                          "Wydarzenie bis=Wydarzenie roku %1\r\nAutor=- \r\n"
                                          "Dodatkowe_informacje=\r\n_19701=%4\r\n")
                               .arg(yearOf(i))
                               .arg(categoryOf(i))
                               .arg(i % 4 + 1)
                               .arg(i == 3 ? QStringLiteral("5") : QString()))});
    }
    items.append({"WORK5", "_19701", "5"});
    entries.append({"L197\\TypX\\_19701\\5\\Pola",
                    cp(QStringLiteral("Tytuł=Ziemia obiecana\nAutor=Władysław Reymont"))});
    entries.append({"_19701\\5", cp(QStringLiteral("<P>Ziemia obiecana"))});
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    QVERIFY(m_program.openData(container(entries)));
    // The skin's large image list: category icon c is a plain square of colour (10c, 100, 200).
    QImage icons(32 * CalendarLook::IconCount, 32, QImage::Format_RGB32);
    for (int x = 0; x < icons.width(); ++x)
        for (int y = 0; y < 32; ++y)
            icons.setPixel(x, y, qRgb(10 * (x / 32), 100, 200));
    QVERIFY(icons.save(useSkin(m_program.dir(), "ImageList2=kalikony.png\r\n") +
                       QStringLiteral("/kalikony.png")));
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    m_program.startWithIndex(&m_help);
    QVERIFY(index());
    index()->pcIndeks()->setCurrentIndex(TfrmIndeks::tsKalendarium);
    QVERIFY(QTest::qWaitForWindowExposed(index()));
    QCOMPARE(page()->List().Count(), EventCount);
    m_elapsed = 0;
}

void TestCalendarPage::cleanup()
{
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
}

void TestCalendarPage::advance(int ms)
{
    const QTimer *timer = part<QTimer>("KalendariumTimer");
    for (int t = 0; t < ms && timer->isActive(); ++t) {
        if (++m_elapsed >= timer->interval()) {
            m_elapsed = 0;
            page()->Repeat()->KalendariumTimerTimer();
        }
    }
}

void TestCalendarPage::loadsOnceAtTheFirstVisit()
{
    // The load put everything back: no progress window, no hourglass, the main window usable.
    QVERIFY(!m_program.searcher().isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(m_program.pulpit()->isEnabled());
    QCOMPARE(firstYear(), 1801);
    QVERIFY(part<QLabel>("KalendLabel")->text().startsWith(QStringLiteral("1801 - 18")));

    page()->Strip()->ScrollForward();
    index()->pcIndeks()->setCurrentIndex(TfrmIndeks::tsDziela);
    index()->pcIndeks()->setCurrentIndex(TfrmIndeks::tsKalendarium);
    // No second load: the strip stays where the reader left it.
    QCOMPARE(page()->List().Count(), EventCount);
    QCOMPARE(page()->Strip()->TopEvent(), 1);
}

void TestCalendarPage::scrollButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("hold"); // milliseconds between press and release
    QTest::addColumn<int>("top");

    QTest::newRow("click down") << "btKalendariumDown" << 0 << 0 << 1;
    QTest::newRow("down held just under the delay") << "btKalendariumDown" << 0 << 499 << 1;
    QTest::newRow("down held for the delay") << "btKalendariumDown" << 0 << 500 << 2;
    QTest::newRow("down held a second") << "btKalendariumDown" << 0 << 1000 << 6;
    QTest::newRow("click up") << "btKalendariumUp" << 10 << 0 << 9;
    QTest::newRow("up held") << "btKalendariumUp" << 10 << 625 << 7;
    QTest::newRow("up held past the first event") << "btKalendariumUp" << 2 << 1000 << 0;
}

void TestCalendarPage::scrollButtons()
{
    QFETCH(QString, button);
    QFETCH(int, start);
    QFETCH(int, hold);
    TCalendarStrip *strip = page()->Strip();
    strip->SetTopEvent(start);
    strip->FillCalendarView();
    auto *pressed = page()->findChild<TGlyphButton *>(button);
    const QTimer *timer = part<QTimer>("KalendariumTimer");

    QTest::mousePress(pressed, Qt::LeftButton);
    advance(hold);
    QTest::mouseRelease(pressed, Qt::LeftButton);
    QTEST(strip->TopEvent(), "top");
    QVERIFY(!timer->isActive());
    QCOMPARE(page()->Repeat()->Tag(), 0);
    advance(1000);
    QTEST(strip->TopEvent(), "top");
    QCOMPARE(firstYear(), yearOf(strip->TopEvent()));
}

void TestCalendarPage::draggingOffTheButton_data()
{
    QTest::addColumn<QString>("onto");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("top"); // after a second held

    QTest::newRow("onto the other button") << "btKalendariumUp" << int(Qt::NoModifier) << 1;
    QTest::newRow("off the buttons") << "pnKalendarium" << int(Qt::NoModifier) << 1;
    QTest::newRow("within the button") << "btKalendariumDown" << int(Qt::NoModifier) << 6;
    QTest::newRow("onto the other button with Shift")
        << "btKalendariumUp" << int(Qt::ShiftModifier) << 6;
}

void TestCalendarPage::draggingOffTheButton()
{
    QFETCH(QString, onto);
    QFETCH(int, modifiers);
    auto *down = part<TGlyphButton>("btKalendariumDown");
    const QWidget *target = page()->findChild<QWidget *>(onto);
    QTest::mousePress(down, Qt::LeftButton);
    const QPoint global = target->mapToGlobal(target->rect().center());
    QMouseEvent move(QEvent::MouseMove, down->mapFromGlobal(global), global, Qt::NoButton,
                     Qt::LeftButton, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(down, &move);
    advance(1000);
    QTEST(page()->Strip()->TopEvent(), "top");
    QTest::mouseRelease(down, Qt::LeftButton);
}

void TestCalendarPage::readErrorStopsTheRepeat()
{
    auto *down = part<TGlyphButton>("btKalendariumDown");
    const QTimer *timer = part<QTimer>("KalendariumTimer");
    QTest::mousePress(down, Qt::LeftButton);
    QVERIFY(timer->isActive());
    // While the button is held the container becomes unreadable (the disc is taken out).
    TSimplePSS &file = Directory()->container();
    QVERIFY(QFile::resize(file.fileName(), file.entryAt(1).offset));

    // Each tick is a timer event; the error box is shown where the event is delivered. The
    // repeat stops as the error leaves it, so that no tick comes under the box.
    int errors = 0;
    for (int tick = 0; tick < 40 && timer->isActive(); ++tick) {
        try {
            page()->Repeat()->KalendariumTimerTimer();
        } catch (const ContentError &) {
            ++errors;
            QVERIFY(!timer->isActive());
            QCOMPARE(page()->Repeat()->Tag(), 0);
        }
    }
    QCOMPARE(errors, 1);
    QVERIFY(!timer->isActive());
    QTest::mouseRelease(down, Qt::LeftButton);
}

void TestCalendarPage::sortButtons_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("notebookPage");

    QTest::newRow("Chronologicznie") << 1 << "Latami";
    QTest::newRow("Kategoriami") << 2 << "Kategoriami";
    QTest::newRow("Typem") << 3 << "Typami";
}

void TestCalendarPage::sortButtons()
{
    QFETCH(int, tag);
    page()->Strip()->ScrollForward();
    // Another order first, so each button shows it sorts.
    QTest::mouseClick(part<TGlyphButton>(tag == 2 ? "btKSort3" : "btKSort2"), Qt::LeftButton);
    QTest::mouseClick(part<TGlyphButton>(qPrintable(QStringLiteral("btKSort%1").arg(tag))),
                      Qt::LeftButton);

    QVERIFY(part<TGlyphButton>(qPrintable(QStringLiteral("btKSort%1").arg(tag)))->isChecked());
    QTEST(part<QStackedWidget>("bkKalendControl")->currentWidget()->objectName(), "notebookPage");
    QCOMPARE(page()->Strip()->TopEvent(), 0);
    QVERIFY(!m_program.searcher().isVisible());
    QVERIFY(!QApplication::overrideCursor());
    // Ascending by the key and, within one key, by year.
    const auto key = [tag](const TKalendarRecord &r) {
        return tag == 1 ? 0 : tag == 2 ? r.Category : r.EventType;
    };
    TKalendarRecord previous, record;
    page()->List().GetRecord(0, previous);
    QCOMPARE(firstYear(), previous.Year);
    for (int i = 1; i < EventCount; ++i) {
        page()->List().GetRecord(i, record);
        QVERIFY(key(previous) < key(record) ||
                (key(previous) == key(record) && previous.Year <= record.Year));
        previous = record;
    }
}

void TestCalendarPage::filmOnTwoOrders_data()
{
    QTest::addColumn<int>("sort");
    QTest::addColumn<int>("top");

    // The earliest film: first among the films by category, eighth by year.
    QTest::newRow("Chronologicznie") << 1 << 7;
    QTest::newRow("Kategoriami") << 2 << EventCount - 2;
}

void TestCalendarPage::filmOnTwoOrders()
{
    QFETCH(int, sort);
    QTest::mouseClick(part<TGlyphButton>(qPrintable(QStringLiteral("btKSort%1").arg(sort))),
                      Qt::LeftButton);
    auto *film = part<TGlyphButton>("btKalendKat15");
    QCOMPARE(film->Tag(), FilmCategory);
    QTest::mouseClick(film, Qt::LeftButton);
    QVERIFY(film->isChecked());
    QVERIFY(!part<TGlyphButton>("btKalendKat1")->isChecked());
    QCOMPARE(page()->CategoryFilter(), FilmCategory);
    QTEST(page()->Strip()->TopEvent(), "top");
    QCOMPARE(firstYear(), yearOf(7));
}

void TestCalendarPage::searchByYear_data()
{
    QTest::addColumn<int>("sort");
    QTest::addColumn<QString>("filterButton"); // pressed before the search
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("year"); // of the first bar

    // 1829 and 1831 are equally near: the earlier position wins.
    QTest::newRow("1830 by the button") << 1 << ""
                                        << "1830" << false << 1829;
    QTest::newRow("1830 by Enter") << 1 << ""
                                   << "1830" << true << 1829;
    QTest::newRow("not a number is year 0") << 1 << ""
                                            << "rok" << false << 1801;
    QTest::newRow("empty is year 0") << 1 << ""
                                     << "" << true << 1801;
    QTest::newRow("among the films") << 2 << "btKalendKat15"
                                     << "1830" << false << 1841;
    QTest::newRow("among type 2") << 3 << "btKalendTyp2"
                                  << "1830" << false << 1827;
}

void TestCalendarPage::searchByYear()
{
    QFETCH(int, sort);
    QFETCH(QString, filterButton);
    QFETCH(QString, text);
    QFETCH(bool, enter);
    QTest::mouseClick(part<TGlyphButton>(qPrintable(QStringLiteral("btKSort%1").arg(sort))),
                      Qt::LeftButton);
    if (!filterButton.isEmpty())
        QTest::mouseClick(page()->findChild<TGlyphButton *>(filterButton), Qt::LeftButton);
    page()->Strip()->ScrollForward();
    auto *edit = part<QLineEdit>("Edit1");
    edit->setText(text);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(part<TGlyphButton>("btKalendSearch"), Qt::LeftButton);
    QTEST(firstYear(), "year");
    QCOMPARE(edit->text(), text);
}

void TestCalendarPage::legendCloses_data()
{
    QTest::addColumn<bool>("followLink");
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<bool>("below");

    // The offscreen screen is 800 pixels high.
    QTest::newRow("on a page change, under the button") << false << 450 << true;
    QTest::newRow("on a page change, above the button") << false << 700 << false;
    QTest::newRow("when an event link is followed") << true << 700 << false;
}

void TestCalendarPage::legendCloses()
{
    QFETCH(bool, followLink);
    QFETCH(int, windowHeight);
    QFETCH(bool, below);
    m_program.pulpit()->resize(1000, windowHeight);
    index()->showMaximized();
    QApplication::processEvents();
    auto *button = part<TGlyphButton>("btLegenda");
    QCOMPARE(button->geometry().right(), part<QWidget>("pnKalendarumBottom")->width() - 5);
    QTest::mouseClick(button, Qt::LeftButton);
    TCalendarLegend *legend = page()->Legend();
    QVERIFY(legend->isVisible());
    // Under the button or above it, inside the screen.
    const QRect anchor(button->mapToGlobal(QPoint(0, 0)), button->size());
    const QRect placed(legend->pos(), legend->size());
    QCOMPARE(below ? placed.top() : placed.bottom(),
             below ? anchor.bottom() + 1 : anchor.top() - 1);
    QVERIFY(button->screen()->availableGeometry().contains(placed));
    // The scroll buttons stay free, and every label of the legend is whole.
    const auto *scroll = part<QWidget>("pnKalendScroll");
    QVERIFY(!placed.intersects(QRect(scroll->mapToGlobal(QPoint(0, 0)), scroll->size())));
    const QWidget *viewport = legend->findChild<QScrollArea *>()->viewport();
    for (const QLabel *label : legend->findChildren<QLabel *>()) {
        if (label->text().isEmpty() || label->window() != legend || !viewport->isAncestorOf(label))
            continue;
        const QFontMetrics metrics(label->font());
        // A row that starts in view ends in it.
        const int top = label->parentWidget()->mapTo(viewport, QPoint(0, 0)).y();
        if (top >= 0 && top < viewport->height())
            QVERIFY2(top + label->parentWidget()->height() <= viewport->height(),
                     qPrintable(label->text()));
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width() &&
                     label->height() >= metrics.height() &&
                     label->mapTo(viewport, QPoint(label->width(), 0)).x() <= viewport->width(),
                 qPrintable(label->text()));
    }
    QCOMPARE(legend->CategoryIcon(FilmCategory).pixel(16, 16), qRgb(10 * FilmCategory, 100, 200));
    QCOMPARE(legend->CategoryIcon(16).pixel(16, 16), qRgb(160, 100, 200));
    QCOMPARE(legend->TypeSwatch(2).pixelColor(16, 16), CalendarLook::TypeColour(2));

    if (followLink) {
        const TCalendarBar *bar = page()->Strip()->Bars().value(3);
        QVERIFY(bar && bar->TextLabel()->font().underline());
        QTest::mousePress(bar->TextLabel(), Qt::LeftButton);
        QTest::mouseRelease(bar->TextLabel(), Qt::LeftButton);
        const TfrmWzorBazowy *work = m_program.pulpit()->ChildWindows().value(1);
        QVERIFY(work);
        QCOMPARE(work->Typ(), QStringLiteral("_19701"));
        QCOMPARE(work->Numer(), QStringLiteral("5"));
        QVERIFY(!m_program.pulpit()->Opening());
        QVERIFY(!page()->Strip()->LinkPressed());
    } else {
        index()->pcIndeks()->setCurrentIndex(TfrmIndeks::tsDziela);
    }
    QVERIFY(!legend->isVisible());
}

void TestCalendarPage::typeButtonGlyphs()
{
    const QRgb face = page()->palette().color(QPalette::Button).rgb();
    for (int type = 1; type <= 4; ++type) {
        const QImage glyph =
            part<TGlyphButton>(qPrintable(QStringLiteral("btKalendTyp%1").arg(type)))
                ->Glyph(TGlyphButton::Normal);
        QCOMPARE(glyph.size(), QSize(32, 32));
        QCOMPARE(glyph.pixelColor(0, 0), CalendarLook::TypeColour(type));
        // Only the bottom-left pixel, taken as the transparent one, shows the face.
        QCOMPARE(qAlpha(glyph.pixel(0, 31)), 0);
        QCOMPARE(qAlpha(glyph.pixel(1, 31)), 255);
        QVERIFY(CalendarLook::TypeColour(type).rgb() != face);
    }
}

void TestCalendarPage::helpModeShowsHelpInstead_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("context");

    QTest::newRow("sort button") << "btKSort2" << 4010;
    QTest::newRow("scroll button") << "btKalendariumDown" << 4010;
    QTest::newRow("category button") << "btKalendKat15" << 4010;
    QTest::newRow("view") << "pnKalendarium" << 4021;
}

void TestCalendarPage::helpModeShowsHelpInstead()
{
    QFETCH(QString, control);
    QFETCH(int, context);
    m_help.popups.clear();
    m_program.pulpit()->SetHelpMode(true);
    auto *widget = page()->findChild<QWidget *>(control);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_help.popups, QList<int>{context});
    QVERIFY(!m_program.pulpit()->HelpMode());
    // Nothing else happened: same order, same place, same filter.
    QCOMPARE(part<QStackedWidget>("bkKalendControl")->currentIndex(), 0);
    QCOMPARE(page()->Strip()->TopEvent(), 0);
    QCOMPARE(page()->CategoryFilter(), 0);
}

QTEST_MAIN(TestCalendarPage)
#include "tst_calendarpage.moc"
