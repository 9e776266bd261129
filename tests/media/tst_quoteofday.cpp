#include "FakeHelp.h"
#include "ProgramFixture.h"
#include "QuotationDraw.h"
#include "THTMLViewer.h"
#include "TPSSDirectory.h"
#include "TfrmCytatDnia.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace fixture;

namespace {

// A container with quotations 1..n, "Cytat k" by "Autor k"; the numbers in `withoutFields`
// have a text but no field list.
QByteArray quotations(int n, const QList<int> &withoutFields = {})
{
    QList<Item> items;
    Entries entries;
    for (int k = 1; k <= n; ++k) {
        const QByteArray numer = QByteArray::number(k);
        items.append({"U" + numer, "_19720", numer});
        if (!withoutFields.contains(k))
            entries.append({"L197\\TypX\\_19720\\" + numer + "\\Pola",
                            cp(QStringLiteral("Autor=Autor %1\nŹródło=Źródło %1").arg(k))});
        entries.append(
            {"_19720\\" + numer, cp(QStringLiteral("<P>Cytat %1<br>\nwiersz drugi").arg(k))});
    }
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    return container(entries);
}

QString quotationShown(const TfrmCytatDnia &dialog)
{
    const QString text = dialog.findChild<THTMLViewer *>(QStringLiteral("HT1"))->toPlainText();
    const qsizetype at = text.indexOf(QStringLiteral("Cytat "));
    return at < 0 ? QString() : text.mid(at, text.indexOf(u'\n', at) - at).trimmed();
}

} // namespace

class TestQuoteOfDay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void page_data();
    void page();
    void everyQuotationOnceThenNoMore_data();
    void everyQuotationOnceThenNoMore();
    void atTheIndexCommand_data();
    void atTheIndexCommand();
    void help_data();
    void help();

private:
    ProgramFixture m_program;
};

void TestQuoteOfDay::cleanup()
{
    m_program.stop();
}

void TestQuoteOfDay::page_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QStringList>("expected");

    const QString signature = QStringLiteral("<I>Adam Mickiewicz, Dziady</I>");
    const auto page = [&](const QString &first) {
        return QStringList{QStringLiteral("<h3><center>"), first, QStringLiteral("drugi"),
                           QStringLiteral("</h3></center><br>"), signature};
    };
    QTest::newRow("<P> removed") << QStringList{QStringLiteral("<P>Ciemno"),
                                                QStringLiteral("drugi")}
                                 << page(QStringLiteral("Ciemno"));
    QTest::newRow("<p> kept") << QStringList{QStringLiteral("<p>Ciemno"), QStringLiteral("drugi")}
                              << page(QStringLiteral("<p>Ciemno"));
    QTest::newRow("<P> after a blank kept")
        << QStringList{QStringLiteral(" <P>Ciemno"), QStringLiteral("drugi")}
        << page(QStringLiteral(" <P>Ciemno"));
    QTest::newRow("only the first <P>")
        << QStringList{QStringLiteral("<P><P>Ciemno"), QStringLiteral("drugi")}
        << page(QStringLiteral("<P>Ciemno"));
    QTest::newRow("no text") << QStringList()
                             << QStringList{QStringLiteral("<h3><center>"),
                                            QStringLiteral("</h3></center><br>"), signature};
}

void TestQuoteOfDay::page()
{
    QFETCH(QStringList, text);
    QFETCH(QStringList, expected);
    const QStringList fields{QStringLiteral("autor=Adam Mickiewicz"),
                             QStringLiteral("Źródło=Dziady")};
    QCOMPARE(QuotationDraw::Page(text, fields), expected);
}

void TestQuoteOfDay::everyQuotationOnceThenNoMore_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("withoutFields");

    QTest::newRow("none") << 0 << QList<int>();
    QTest::newRow("one") << 1 << QList<int>();
    QTest::newRow("two") << 2 << QList<int>();
    QTest::newRow("seven") << 7 << QList<int>();
    QTest::newRow("seven, two unreadable") << 7 << QList<int>{2, 6};
}

// n quotations: the dialog shows one, and n-1 presses of "Następny" show the others, each
// once; the button goes off with the last. An unreadable one is used up without a page.
void TestQuoteOfDay::everyQuotationOnceThenNoMore()
{
    QFETCH(int, count);
    QFETCH(QList<int>, withoutFields);
    QVERIFY(m_program.openData(quotations(count, withoutFields)));

    TfrmCytatDnia dialog(*Directory(), true, {});
    auto *next = dialog.findChild<QPushButton *>(QStringLiteral("Button2"));
    QVERIFY(next);
    QCOMPARE(next->text(), QStringLiteral("&Następny >"));
    dialog.show();

    QStringList shown{quotationShown(dialog)};
    QCOMPARE(next->isEnabled(), count > 1);
    for (int press = 1; press < count; ++press) {
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        shown.append(quotationShown(dialog));
        QCOMPARE(next->isEnabled(), press < count - 1);
    }

    QSet<QString> expected;
    for (int k = 1; k <= count; ++k) {
        if (!withoutFields.contains(k))
            expected.insert(QStringLiteral("Cytat %1").arg(k));
    }
    shown.removeAll(QString());
    // An unreadable draw leaves the page as it was, so that page may be counted twice.
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()), expected);
    if (withoutFields.isEmpty())
        QCOMPARE(shown.size(), count);
    QVERIFY(!next->isEnabled());
}

void TestQuoteOfDay::atTheIndexCommand_data()
{
    QTest::addColumn<bool>("showAtStart");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("ok"); // the close box otherwise
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("stored");

    QTest::newRow("ticked, OK") << true << true << true << true << QStringLiteral("0");
    QTest::newRow("unticked, OK") << true << false << true << true << QStringLiteral("1");
    QTest::newRow("ticked, close box") << true << true << false << true << QStringLiteral("1");
    QTest::newRow("switched off") << false << false << false << false << QStringLiteral("0");
}

void TestQuoteOfDay::atTheIndexCommand()
{
    QFETCH(bool, showAtStart);
    QFETCH(bool, tick);
    QFETCH(bool, ok);
    QFETCH(bool, shown);
    QFETCH(QString, stored);
    QVERIFY(m_program.openData(quotations(3)));
    m_program.settings().setValue(QStringLiteral("Prefs/fCytatShow"),
                                  showAtStart ? QStringLiteral("1") : QStringLiteral("0"));

    TPulpit::Environment environment;
    environment.soundAvailable = false;
    bool met = false;
    qsizetype childrenMeanwhile = 0;
    bool tickedAtFirst = true;
    QString quoteMeanwhile;
    environment.runDialog = [&](QDialog &dialog) {
        auto *quote = qobject_cast<TfrmCytatDnia *>(&dialog);
        if (!quote)
            return int(QDialog::Rejected);
        met = true;
        childrenMeanwhile = Pulpit()->ChildWindows().size();
        QTimer::singleShot(0, quote, [&, quote] {
            auto *check = quote->findChild<QCheckBox *>(QStringLiteral("CheckDalej"));
            tickedAtFirst = check->isChecked();
            quoteMeanwhile = quotationShown(*quote);
            if (tick)
                QTest::mouseClick(check, Qt::LeftButton);
            if (ok)
                QTest::mouseClick(quote->findChild<QPushButton *>(QStringLiteral("Button1")),
                                  Qt::LeftButton);
            else
                quote->close();
        });
        return quote->exec();
    };
    TPulpit &pulpit = m_program.startPulpit(environment);
    pulpit.btIndeksClick();
    QCOMPARE(met, shown);
    if (shown) {
        QCOMPARE(childrenMeanwhile, 1); // the Index came first
        QVERIFY(!tickedAtFirst);
        QVERIFY(quoteMeanwhile.startsWith(QStringLiteral("Cytat ")));
    }
    m_program.stopPulpit(); // the settings are written at exit
    QCOMPARE(m_program.settings().value(QStringLiteral("Prefs/fCytatShow")).toString(), stored);
}

void TestQuoteOfDay::help_data()
{
    QTest::addColumn<bool>("key"); // F1; a click after the title bar's help button otherwise

    QTest::newRow("F1") << true;
    QTest::newRow("help button") << false;
}

void TestQuoteOfDay::help()
{
    QFETCH(bool, key);
    QVERIFY(m_program.openData(quotations(3)));
    FakeHelp help;
    TfrmCytatDnia dialog(*Directory(), true, [&help](int context) { help.showPopup(context); });
    QVERIFY(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *check = dialog.findChild<QCheckBox *>(QStringLiteral("CheckDalej"));
    if (key) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    } else {
        QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(2, 2), check->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(check, &whatsThis);
    }
    QCOMPARE(help.popups, QList<int>{TfrmCytatDnia::HelpContext});
    QVERIFY(dialog.isVisible());
    QVERIFY(!check->isChecked());
}

QTEST_MAIN(TestQuoteOfDay)
#include "tst_quoteofday.moc"
