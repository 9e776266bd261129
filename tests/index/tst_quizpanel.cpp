#include "FakeHelp.h"
#include "IndexPages.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "TGlyphButton.h"
#include "TPulpit.h"
#include "TQuizSuperList.h"
#include "TfrmIndeks.h"
#include "TfrmQuiz.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace fixture;

namespace {

// Seven easy Baroque questions, one easy medieval one, two medium Romantic ones.
QByteArray quizContainer()
{
    QList<Item> items;
    Entries entries;
    const auto add = [&](int numer, const char16_t *difficulty, int epoch) {
        const QByteArray n = QByteArray::number(numer);
        items.append({"U" + n, "_19710", n});
        entries.append(
            {"L197\\TypX\\_19710\\" + n + "\\Pola",
             cp(QStringLiteral("Trudność=%1\r\nKategoria=%2\r\n1=a\r\n2=b\r\n3=c\r\nPoprawna=1")
                    .arg(QString::fromUtf16(difficulty))
                    .arg(epoch))});
        entries.append({"_19710\\" + n, cp(QStringLiteral("Pytanie %1").arg(numer))});
    };
    for (int i = 1; i <= 7; ++i)
        add(i, u"Łatwe", 3);
    add(8, u"Łatwe", 1);
    add(9, u"Średnie", 5);
    add(10, u"Średnie", 5);
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    return container(entries);
}

const QString Refusal = QStringLiteral(
    "Brak wyselekcjonowanych pytań.\r\nWybierz kategorię pytań i stopień trudności przed "
    "rozpoczęciem testu!");

} // namespace

class TestQuizPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showingThePageLoadsThePool();
    void countBoxFollowsTheSelection();
    void start_data();
    void start();
    void timeBox();
    void helpModeLeavesTheSelection();

private:
    TfrmIndeks *index() const
    {
        return qobject_cast<TfrmIndeks *>(m_pulpit->ChildWindows().value(0));
    }
    template <typename T> T *child(const char *name) const
    {
        return index()->findChild<T *>(QLatin1String(name));
    }
    void click(const char *button)
    {
        QTest::mouseClick(child<TGlyphButton>(button), Qt::LeftButton);
    }
    void showQuizPage() { index()->pcIndeks()->setCurrentIndex(IndexPages::tsQuiz); }
    TfrmQuiz *quiz() const
    {
        for (TfrmWzorBazowy *window : m_pulpit->ChildWindows()) {
            if (auto *quiz = qobject_cast<TfrmQuiz *>(window))
                return quiz;
        }
        return nullptr;
    }

    ProgramFixture m_program;
    FakeHelp m_help;
    TPulpit *m_pulpit = nullptr;
    QList<MessageBoxes::Message> m_messages;
};

void TestQuizPanel::init()
{
    QVERIFY(m_program.openData(quizContainer()));
    m_help = FakeHelp();
    recordMessages(m_messages);
    m_pulpit = &m_program.startWithIndex(&m_help);
    QVERIFY(index());
    showQuizPage();
}

void TestQuizPanel::cleanup()
{
    m_pulpit = nullptr;
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
}

void TestQuizPanel::showingThePageLoadsThePool()
{
    QCOMPARE(m_pulpit->QuizPool().Count(), 10);
    QCOMPARE(m_pulpit->QuizPool().CountAvailable(), 0); // nothing selected yet
    QCOMPARE(child<QSpinBox>("seIlosc")->value(), 1);
    for (const char *name : {"btStopien1", "btStopien3", "btEpoka1", "btEpoka9"})
        QVERIFY(!child<TGlyphButton>(name)->isChecked());
}

void TestQuizPanel::countBoxFollowsTheSelection()
{
    QSpinBox *count = child<QSpinBox>("seIlosc");
    click("btStopien1"); // "Łatwe"
    click("btEpoka3");   // "Barok"
    QCOMPARE(m_pulpit->QuizPool().DifficultySet(), quint8(0x01));
    QCOMPARE(m_pulpit->QuizPool().EpochSet(), quint16(0x0004));
    QCOMPARE(count->maximum(), 7);
    QCOMPARE(count->value(), 7);
    click("btEpoka1"); // "Średniowiecze" as well
    QCOMPARE(count->value(), 8);
    click("btStopien2"); // "Średnie": its questions are Romantic
    QCOMPARE(count->value(), 8);
    click("btEpoka5");
    QCOMPARE(m_pulpit->QuizPool().EpochSet(), quint16(0x0015));
    QCOMPARE(count->value(), 10);

    for (const char *name : {"btEpoka1", "btEpoka3", "btEpoka5"})
        click(name);
    // No epoch left: nothing is available, and the box holds 1.
    QCOMPARE(m_pulpit->QuizPool().EpochSet(), quint16(0));
    QCOMPARE(count->value(), 1);
    QCOMPARE(count->maximum(), 1);
    QTest::mouseClick(child<TGlyphButton>("btQuizStart"), Qt::LeftButton);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, Refusal);
    QCOMPARE(m_messages[0].caption, QStringLiteral("Za mało danych!"));
    QCOMPARE(m_messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!quiz());
}

void TestQuizPanel::start_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("count"); // typed into the box; 0 leaves it as the selection set it
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("opens");

    QTest::newRow("nothing selected") << QStringList{} << 0 << 60 << false;
    QTest::newRow("difficulty without epoch")
        << QStringList{QStringLiteral("btStopien1")} << 0 << 60 << false;
    QTest::newRow("one matching question")
        << QStringList{QStringLiteral("btStopien1"), QStringLiteral("btEpoka1")} << 0 << 60
        << false;
    QTest::newRow("count set to 1")
        << QStringList{QStringLiteral("btStopien1"), QStringLiteral("btEpoka3")} << 1 << 60
        << false;
    QTest::newRow("two questions")
        << QStringList{QStringLiteral("btStopien1"), QStringLiteral("btEpoka3")} << 2 << 15 << true;
    QTest::newRow("every matching question")
        << QStringList{QStringLiteral("btStopien2"), QStringLiteral("btEpoka5")} << 0 << 45 << true;
}

void TestQuizPanel::start()
{
    QFETCH(QStringList, buttons);
    QFETCH(int, count);
    QFETCH(int, seconds);
    QFETCH(bool, opens);

    for (const QString &name : buttons)
        click(name.toLatin1().constData());
    QSpinBox *box = child<QSpinBox>("seIlosc");
    if (count > 0)
        box->setValue(count);
    const int asked = box->value();
    child<QSpinBox>("seCzas")->setValue(seconds);
    QTest::mouseClick(child<TGlyphButton>("btQuizStart"), Qt::LeftButton);

    TfrmQuiz *opened = quiz();
    QCOMPARE(opened != nullptr, opens);
    QCOMPARE(m_messages.size(), opens ? 0 : 1);
    if (opens) {
        QCOMPARE(opened->Remaining(), asked - 1);
        QCOMPARE(opened->TimeLimit(), seconds);
    } else {
        QCOMPARE(m_messages[0].text, Refusal);
    }
}

void TestQuizPanel::timeBox()
{
    QSpinBox *time = child<QSpinBox>("seCzas");
    QCOMPARE(time->value(), 60);
    QList<int> offered;
    time->setValue(time->minimum());
    for (int i = 0; i < 5; ++i) {
        offered.append(time->value());
        time->stepUp();
    }
    QCOMPARE(offered, (QList<int>{15, 30, 45, 60, 60}));
    time->setFocus();
    time->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(time, QStringLiteral("20"));
    QCOMPARE(time->value(), 60);
    QCOMPARE(time->text(), QStringLiteral("60"));
    QTest::keyClick(time, Qt::Key_Down); // the arrows still step
    QCOMPARE(time->value(), 45);
    QCOMPARE(time->property("hint").toString(), QStringLiteral("CZas na odpowiedź (sekundy)"));
    QCOMPARE(child<QSpinBox>("seIlosc")->property("hint").toString(),
             QStringLiteral("Ilość pytań w quizie"));
}

void TestQuizPanel::helpModeLeavesTheSelection()
{
    for (const char *name : {"btStopien1", "btEpoka3"}) {
        m_pulpit->SetHelpMode(true);
        click(name);
        QVERIFY(!child<TGlyphButton>(name)->isChecked());
    }
    QCOMPARE(m_help.popups, (QList<int>{4022, 4022}));
    QCOMPARE(m_pulpit->QuizPool().DifficultySet(), quint8(0));
    QCOMPARE(m_pulpit->QuizPool().EpochSet(), quint16(0));
    // Keyboard toggles go back as well.
    m_pulpit->SetHelpMode(true);
    child<TGlyphButton>("btEpoka3")->setFocus();
    QTest::keyClick(child<TGlyphButton>("btEpoka3"), Qt::Key_Space);
    QVERIFY(!child<TGlyphButton>("btEpoka3")->isChecked());
    QCOMPARE(m_help.popups.size(), 3);
    click("btStopien1");
    QVERIFY(child<TGlyphButton>("btStopien1")->isChecked());
    QCOMPARE(m_pulpit->QuizPool().DifficultySet(), quint8(0x01));
}

QTEST_MAIN(TestQuizPanel)
#include "tst_quizpanel.moc"
