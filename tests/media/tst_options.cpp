#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "THTMLViewer.h"
#include "TMultiRowTabBar.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmProps.h"
#include "TfrmWzorDoc.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace fixture;

namespace {

// What the reader changes in the dialog; empty or negative: left as shown.
struct Change
{
    QString font;
    int size = 0;
    int layout = -1;
    int count = 0;
    bool flags = false; // turns off the quote of the day and the autostart
};

const QString Out = QStringLiteral("Rozjechana");

} // namespace

Q_DECLARE_METATYPE(Change)

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void showsTheSettingsAndPreviewsAtOnce();
    void helpKey();
    void storedLayout_data();
    void storedLayout();
    void applying_data();
    void applying();

private:
    // Opens the options from the menu and lets `edit` work on the dialog before it is closed
    // with OK or with "Zaniechaj".
    void runOptions(const std::function<void(TfrmProps &)> &edit, bool ok);

    ProgramFixture m_program;
    TPulpit *m_pulpit = nullptr; // the fixture's
    FakeHelp m_help;
    QStringList m_fonts; // two installed families with capitals in their names
};

void TestOptions::initTestCase()
{
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && family != family.toLower() &&
            m_fonts.size() < 2)
            m_fonts.append(family);
    }
    QVERIFY2(m_fonts.size() == 2, "two installed fonts");
}

void TestOptions::init()
{
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    QVERIFY(m_program.openData(container({
        {"L197\\UnidX", itemIndex({{"1", "_19701", "1"}})},
        {"L197\\TypX\\_19701\\1\\Pola", cp(QStringLiteral("Tytuł=Lalka\nAutor=Bolesław Prus"))},
        {"_19701\\1", cp(QStringLiteral("<p>Wokulski.</p>"))},
    })));
    m_help = FakeHelp();
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = false;
    m_pulpit = &m_program.startPulpit(environment);
    Preferences &prefs = m_pulpit->Prefs();
    prefs.docFont = m_fonts[0];
    prefs.docFontSize = 10;
    prefs.indeksState = 1;
    prefs.cytatShow = true;
    prefs.autorun = true;
    m_pulpit->SetWindowLimit(12);
    m_pulpit->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pulpit));
}

void TestOptions::cleanup()
{
    m_program.stop();
    m_pulpit = nullptr;
    MessageBoxes::setHandler(nullptr);
}

void TestOptions::runOptions(const std::function<void(TfrmProps &)> &edit, bool ok)
{
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<TfrmProps *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        edit(*dialog);
        (ok ? dialog->Button1() : dialog->Button2())->click();
    });
    m_pulpit->Action(QStringLiteral("miOpcje"))->trigger();
    QVERIFY(seen);
}

// Every caption, its accelerator and the control it leads to, as the dialog shows them.
void TestOptions::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("buddy");
    QTest::newRow("Label1") << QStringLiteral("Label1") << QStringLiteral("&Nazwa:")
                            << QStringLiteral("FontBox");
    QTest::newRow("Label2") << QStringLiteral("Label2") << QStringLiteral("&Wielkość:")
                            << QStringLiteral("FontSize");
    QTest::newRow("Label3") << QStringLiteral("Label3")
                            << QStringLiteral("&Maksymalna ilość jednocześnie otwartych dokumentów")
                            << QStringLiteral("seDocCount");
    QTest::newRow("GroupBox1") << QStringLiteral("GroupBox1")
                               << QStringLiteral("Czcionki w dokumentach") << QString();
    QTest::newRow("IndeksGroup") << QStringLiteral("IndeksGroup")
                                 << QStringLiteral("Wygląd okna indeksu") << QString();
    QTest::newRow("GroupBox2") << QStringLiteral("GroupBox2") << QStringLiteral("Opcje dodatkowe")
                               << QString();
    QTest::newRow("CheckPokazuj") << QStringLiteral("CheckPokazuj")
                                  << QStringLiteral(
                                         "&Pokazuj \"cytat dnia\" przy uruchomieniu programu")
                                  << QString();
    QTest::newRow("CheckAutorun") << QStringLiteral("CheckAutorun")
                                  << QStringLiteral("Uruchamiaj \"Autostart\" po włożeniu płyty")
                                  << QString();
    QTest::newRow("Button1") << QStringLiteral("Button1") << QStringLiteral("&OK") << QString();
    QTest::newRow("Button2") << QStringLiteral("Button2") << QStringLiteral("&Zaniechaj")
                             << QString();
}

void TestOptions::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, buddy);
    TfrmProps dialog(TfrmProps::Values{m_fonts[0], 10, 1, true, 12, true}, {});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Verbarium - Ustawienia programu"));
    QWidget *control = dialog.findChild<QWidget *>(name);
    QVERIFY(control);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->buddy()->objectName(), buddy);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        QCOMPARE(group->title(), text);
    } else {
        QCOMPARE(qobject_cast<QAbstractButton *>(control)->text(), text);
    }
}

void TestOptions::showsTheSettingsAndPreviewsAtOnce()
{
    TfrmProps dialog(TfrmProps::Values{m_fonts[1], 17, 2, false, 5, false}, {});
    QCOMPARE(dialog.FontBox()->currentText(), m_fonts[1]);
    QCOMPARE(dialog.FontSize()->value(), 17);
    QCOMPARE(dialog.IndeksItems()->checkedId(), 2);
    QCOMPARE(dialog.seDocCount()->value(), 5);
    QVERIFY(!dialog.CheckPokazuj()->isChecked());
    QVERIFY(!dialog.CheckAutorun()->isChecked());
    QCOMPARE(dialog.HT1()->DefFontName(), m_fonts[1]);
    QCOMPARE(dialog.HT1()->DefFontSize(), 17);
    QVERIFY(dialog.HT1()->toPlainText().endsWith(QStringLiteral("ąćęłóńśżź ĄĆĘŁÓŃŚŻŹ")));
    const QStringList layouts{dialog.IndeksItems()->button(0)->text(),
                              dialog.IndeksItems()->button(1)->text(),
                              dialog.IndeksItems()->button(2)->text()};
    QCOMPARE(layouts,
             (QStringList{QStringLiteral("&Etykiety w jednej linii"),
                          QStringLiteral("E&tykiety w wielu liniach"),
                          QStringLiteral("Et&ykiety w wielu liniach, przeskakujące (góra-dół)")}));

    // The spin edits keep to their ranges and take no typing.
    for (auto [spin, low, high] :
         {std::tuple{dialog.FontSize(), 6, 24}, std::tuple{dialog.seDocCount(), 3, 12}}) {
        QCOMPARE(spin->minimum(), low);
        QCOMPARE(spin->maximum(), high);
        QVERIFY(spin->findChild<QLineEdit *>()->isReadOnly());
    }

    dialog.FontBox()->setCurrentIndex(dialog.FontBox()->findText(m_fonts[0]));
    QCOMPARE(dialog.HT1()->DefFontName(), m_fonts[0]);
    dialog.FontSize()->stepUp();
    QCOMPARE(dialog.HT1()->DefFontSize(), 18);
    // Nothing is taken until OK.
    QCOMPARE(dialog.Result().fontName, m_fonts[1]);
}

void TestOptions::helpKey()
{
    TfrmProps dialog(TfrmProps::Values{m_fonts[0], 10, 1, true, 12, true},
                     [this](int context) { m_help.showPopup(context); });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.Button1());
    QTest::keyClick(dialog.FontSize(), Qt::Key_F1);
    QCOMPARE(m_help.popups, QList<int>{4070});
}

void TestOptions::storedLayout_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown"); // and what OK stores

    QTest::newRow("0") << 0 << 0;
    QTest::newRow("2") << 2 << 2;
    QTest::newRow("-1") << -1 << 1;
    QTest::newRow("3") << 3 << 1;
    QTest::newRow("1000") << 1000 << 1;
}

void TestOptions::storedLayout()
{
    QFETCH(int, stored);
    TfrmProps dialog(TfrmProps::Values{m_fonts[0], 10, stored, true, 12, true}, {});
    QTEST(dialog.IndeksItems()->checkedId(), "shown");
    dialog.Button1()->click();
    QTEST(dialog.Result().indexLayout, "shown");
}

// What OK stores, and whether the open windows are brought to the new look: each of them is
// first put out of step with the settings, so an update shows.
void TestOptions::applying_data()
{
    QTest::addColumn<QString>("stored"); // the font name in the settings; m_fonts[0] when empty
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("updated");

    QTest::newRow("OK without changes") << QString() << Change{} << true << false;
    QTest::newRow("cancelled changes")
        << QString() << Change{QStringLiteral("1"), 14, 2, 5, true} << false << false;
    QTest::newRow("layout only") << QString() << Change{{}, 0, 2} << true << true;
    QTest::newRow("size only") << QString() << Change{{}, 14} << true << true;
    QTest::newRow("another font") << QString() << Change{QStringLiteral("1")} << true << true;
    QTest::newRow("stored name in other letters")
        << QStringLiteral("lower") << Change{} << true << true;
    QTest::newRow("font not installed")
        << QStringLiteral("Czcionka Nieznana") << Change{} << true << false;
    QTest::newRow("count, quote and autostart only")
        << QString() << Change{{}, 0, -1, 5, true} << true << false;
}

void TestOptions::applying()
{
    QFETCH(QString, stored);
    QFETCH(Change, change);
    QFETCH(bool, ok);
    QFETCH(bool, updated);
    if (stored.isEmpty())
        stored = m_fonts[0];
    else if (stored == u"lower")
        stored = m_fonts[0].toLower();
    const QString chosenFont = change.font.isEmpty() ? QString() : m_fonts[1];
    m_pulpit->Prefs().docFont = stored;

    m_pulpit->btIndeksClick();
    auto *index = qobject_cast<TfrmIndeks *>(m_pulpit->ActiveChild());
    m_pulpit->OpenDocument(QStringLiteral("_19701"), QStringLiteral("1"));
    auto *work = qobject_cast<TfrmWzorDoc *>(m_pulpit->ActiveChild());
    QVERIFY(index && work);
    THTMLViewer *preview = index->findChild<THTMLViewer *>();
    QVERIFY(preview);
    work->SetDocFontName(Out);
    preview->SetDefFontName(Out);

    runOptions(
        [&](TfrmProps &dialog) {
            if (!chosenFont.isEmpty())
                dialog.FontBox()->setCurrentIndex(dialog.FontBox()->findText(chosenFont));
            if (change.size)
                dialog.FontSize()->setValue(change.size);
            if (change.layout >= 0)
                dialog.IndeksItems()->button(change.layout)->click();
            if (change.count)
                dialog.seDocCount()->setValue(change.count);
            if (change.flags) {
                dialog.CheckPokazuj()->click();
                dialog.CheckAutorun()->click();
            }
        },
        ok);

    // What is stored: the box's spelling of an installed font, the stored name otherwise.
    const Preferences &prefs = m_pulpit->Prefs();
    const QString installed =
        QFontDatabase::families().contains(stored, Qt::CaseInsensitive) ? m_fonts[0] : stored;
    QCOMPARE(prefs.docFont, !ok ? stored : !chosenFont.isEmpty() ? chosenFont : installed);
    QCOMPARE(prefs.docFontSize, ok && change.size ? change.size : 10);
    QCOMPARE(prefs.indeksState, ok && change.layout >= 0 ? change.layout : 1);
    QCOMPARE(m_pulpit->WindowLimit(), ok && change.count ? change.count : 12);
    QCOMPARE(prefs.cytatShow, !(ok && change.flags));
    QCOMPARE(prefs.autorun, !(ok && change.flags));

    QCOMPARE(work->DocFontName(), updated ? prefs.docFont : Out);
    QCOMPARE(work->HT1()->DefFontSize(), prefs.docFontSize);
    QCOMPARE(preview->DefFontName(), updated ? prefs.docFont : Out);
    QCOMPARE(index->TabRows()->rowOrder(), prefs.indeksState == 2
                                               ? TMultiRowTabBar::CurrentRowNextToPage
                                               : TMultiRowTabBar::TabOrder);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
