#include "ContentError.h"
#include "FakeHelp.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TLEDDisplay.h"
#include "TM3Player.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TQuizSuperList.h"
#include "TSimplePSS.h"
#include "TfrmQuiz.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

using namespace fixture;

namespace {

struct Question
{
    QByteArray numer;
    QString correct;  // "Poprawna"
    bool text = true; // whether the entry text is in the container
    int epoch = 3;
};

QByteArray sound(const char *name)
{
    QFile file(QStringLiteral(VERBARIUM_SAMPLE_DIR "/sounds/events/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray quizContainer(const QList<Question> &questions)
{
    QList<Item> items;
    Entries entries;
    for (const Question &q : questions) {
        items.append({"U" + q.numer, "_19710", q.numer});
        entries.append({"L197\\TypX\\_19710\\" + q.numer + "\\Pola",
                        cp(QStringLiteral("Trudność=Łatwe\r\nKategoria=%1\r\n1=Mickiewicz\r\n"
                                          "2=Słowacki\r\n3=Krasiński\r\nPoprawna=")
                               .arg(q.epoch) +
                           q.correct)});
        if (q.text)
            entries.append({"_19710\\" + q.numer, cp(QStringLiteral("Pytanie o treści ") +
                                                     QString::fromLatin1(q.numer))});
    }
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    entries.append({"_197SND\\events\\brawo", sound("brawo.mp3")});
    entries.append({"_197SND\\events\\huh", sound("huh.mp3")});
    return container(entries);
}

// The document position of the n-th form control of the page, counted from 0.
int controlPosition(const THTMLViewer &view, int n)
{
    const QString text = view.document()->toRawText();
    int position = -1;
    for (int i = 0; i <= n; ++i)
        position = int(text.indexOf(QChar::ObjectReplacementCharacter, position + 1));
    return position;
}

void clickControl(THTMLViewer &view, int n)
{
    QTextCursor cursor(view.document());
    cursor.setPosition(controlPosition(view, n));
    const QRect before = view.cursorRect(cursor);
    cursor.setPosition(cursor.position() + 1);
    const QRect after = view.cursorRect(cursor);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QRect(before.topLeft(), QPoint(after.left(), before.bottom())).center());
}

} // namespace

class TestQuizWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void window();
    void answers_data();
    void answers();
    void timeout_data();
    void timeout();
    void twoQuestions();
    void findInAQuestion();
    void secondQuizOnlyComesToFront();
    void quizPageWhileAQuizRuns();
    void endsWhenNoFurtherQuestion_data();
    void endsWhenNoFurtherQuestion();
    void sounds();
    void helpMode();
    void helpModeClick_data();
    void helpModeClick();
    void unreadableQuestionIsPassedOver();
    void poolLoadCutShortIsDropped();
    void byKeyboardAndScreenReader();

private:
    // The program over these questions, all of them selected.
    void start(const QList<Question> &questions, bool sound = false);
    TfrmQuiz *openQuiz(int questions, int seconds);
    int led(const char *name) const;
    void tick(const QList<int> &answers);
    QString page() const { return m_quiz->HT1()->toPlainText(); }
    QString verdict() const;

    ProgramFixture m_program;
    FakeHelp m_help;
    TPulpit *m_pulpit = nullptr;
    TfrmQuiz *m_quiz = nullptr;
    quint32 m_now = 0;
    QList<MessageBoxes::Message> m_messages;
};

void TestQuizWindow::init()
{
    m_help = FakeHelp();
    m_messages.clear();
    m_now = 100000;
    recordMessages(m_messages);
}

void TestQuizWindow::cleanup()
{
    m_quiz = nullptr;
    m_pulpit = nullptr;
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
    qunsetenv("VERBARIUM_AUDIO_OUT");
}

void TestQuizWindow::start(const QList<Question> &questions, bool sound)
{
    QVERIFY(m_program.openData(quizContainer(questions)));
    if (sound)
        qputenv("VERBARIUM_AUDIO_OUT",
                "wav:" + QFile::encodeName(m_program.dir().filePath(QStringLiteral("out.wav"))));
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = sound;
    environment.mp3Library = QStringLiteral(VERBARIUM_MP3_LIBRARY);
    m_pulpit = &m_program.startPulpit(environment);
    m_pulpit->Prefs().docFont = QStringLiteral("Verdana");
    m_pulpit->Prefs().docFontSize = 14;
    // The quiz counts on a clock the test steps.
    m_pulpit->RegisterQuizClass([this](int count, int seconds) {
        auto *quiz = new TfrmQuiz(count, seconds, [this] { return m_now; });
        quiz->Start();
        return quiz;
    });
    m_pulpit->resize(1000, 700);
    m_pulpit->show();
    m_pulpit->LoadQuizPool();
    m_pulpit->QuizPool().SetDifficultySet(0x07);
    m_pulpit->QuizPool().SetEpochSet(0x1FF);
}

TfrmQuiz *TestQuizWindow::openQuiz(int questions, int seconds)
{
    m_pulpit->OpenQuiz(questions, seconds);
    for (TfrmWzorBazowy *window : m_pulpit->ChildWindows()) {
        if (auto *quiz = qobject_cast<TfrmQuiz *>(window))
            m_quiz = quiz;
    }
    return m_quiz;
}

int TestQuizWindow::led(const char *name) const
{
    const auto *display = m_quiz->findChild<TLEDDisplay *>(QLatin1String(name));
    return display ? display->Value() : -1;
}

void TestQuizWindow::tick(const QList<int> &answers)
{
    for (int answer : answers)
        clickControl(*m_quiz->HT1(), answer - 1);
}

QString TestQuizWindow::verdict() const
{
    const auto *label = m_quiz->findChild<QLabel *>(QStringLiteral("lbWynik"));
    return label ? label->text() : QStringLiteral("(none)");
}

void TestQuizWindow::window()
{
    start({{"1", QStringLiteral("2")}, {"2", QStringLiteral("2")}});
    QVERIFY(openQuiz(2, 45));
    QCOMPARE(m_quiz->windowTitle(), QStringLiteral("Quiz"));
    QCOMPARE(m_quiz->Typ(), QStringLiteral("_19710"));
    QCOMPARE(m_quiz->Numer(), QStringLiteral("0"));
    QCOMPARE(m_quiz->HT1()->DefBackground(), QColor(255, 255, 160));
    QCOMPARE(m_quiz->HT1()->DefFontName(), QStringLiteral("Verdana"));
    QCOMPARE(m_quiz->HT1()->DefFontSize(), 14);
    QVERIFY(!m_quiz->HT1()->ViewImages());
    QCOMPARE(m_quiz->findChild<QFrame *>(QStringLiteral("Panel1"))->width(), 138);
    QCOMPARE(m_quiz->findChild<QFrame *>(QStringLiteral("Panel2"))->geometry(),
             QRect(6, 4, 125, 269));

    const QList<std::pair<const char *, int>> displays = {
        {"LEDTime", 24}, {"LEDZadane", 124}, {"LEDPoprawne", 176}, {"LEDPozostale", 228}};
    for (const auto &[name, top] : displays)
        QCOMPARE(m_quiz->findChild<TLEDDisplay *>(QLatin1String(name))->geometry(),
                 QRect(36, top, 80, 30));
    QStringList labels;
    for (const QLabel *label :
         m_quiz->findChild<QFrame *>(QStringLiteral("Panel2"))->findChildren<QLabel *>())
        labels.append(label->text() + u'@' + QString::number(label->x()) + u',' +
                      QString::number(label->y()));
    QCOMPARE(labels,
             (QStringList{QStringLiteral("Czas:@4,4"), QStringLiteral("Odpowiedzi@8,84"),
                          QStringLiteral("Zadane:@8,104"), QStringLiteral("Poprawne:@4,156"),
                          QStringLiteral("Pozostało:@4,208")}));
    QCOMPARE(led("LEDTime"), 45);
    QVERIFY(m_quiz->Timer1().IsRunning());
}

void TestQuizWindow::answers_data()
{
    QTest::addColumn<QString>("correct");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QString>("message"); // empty: the answer is right

    const QString twoAnswers = QStringLiteral("Źle!\r\nPoprawne są odpowiedzi: 1, 3");
    QTest::newRow("1, 3: 1 and 3") << QStringLiteral("1, 3") << QList<int>{1, 3} << QString();
    QTest::newRow("1, 3: 3 and 1") << QStringLiteral("1, 3") << QList<int>{3, 1} << QString();
    QTest::newRow("1, 3: 3 alone") << QStringLiteral("1, 3") << QList<int>{3} << twoAnswers;
    QTest::newRow("1, 3: 1 alone") << QStringLiteral("1, 3") << QList<int>{1} << twoAnswers;
    QTest::newRow("1, 3: all three") << QStringLiteral("1, 3") << QList<int>{1, 2, 3} << twoAnswers;
    QTest::newRow("1, 3: 1 ticked twice")
        << QStringLiteral("1, 3") << QList<int>{1, 3, 1} << twoAnswers;
    QTest::newRow("2: 2") << QStringLiteral("2") << QList<int>{2} << QString();
    QTest::newRow("2: none") << QStringLiteral("2") << QList<int>{}
                             << QStringLiteral("Źle!\r\nPoprawna jest odpowiedź: 2");
    QTest::newRow("3, 1: 1 and 3") << QStringLiteral("3, 1") << QList<int>{1, 3}
                                   << QStringLiteral("Źle!\r\nPoprawne są odpowiedzi: 3, 1");
}

void TestQuizWindow::answers()
{
    QFETCH(QString, correct);
    QFETCH(QList<int>, ticked);
    QFETCH(QString, message);

    start({{"7", correct}});
    QVERIFY(openQuiz(1, 30));
    QCOMPARE(m_quiz->CorrectAnswers(), correct);
    tick(ticked);
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S); // the accelerator of "&Sprawdź"

    QCOMPARE(led("LEDPoprawne"), message.isEmpty() ? 1 : 0);
    if (message.isEmpty()) {
        QVERIFY(m_messages.isEmpty());
    } else {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, message);
        QCOMPARE(m_messages[0].caption, QStringLiteral("Błąd!"));
        QCOMPARE(m_messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(m_messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QVERIFY(page().startsWith(QStringLiteral("Podsumowanie:")));
    QVERIFY(!m_quiz->Timer1().IsRunning());
    // Told to a reader who does not see the counters, a right answer as well as a wrong one.
    QCOMPARE(verdict(), message.isEmpty() ? QStringLiteral("Dobra odpowiedź!")
                                          : QStringLiteral("Zła odpowiedź."));
}

void TestQuizWindow::timeout_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("helpMode"); // on while the time runs out

    QTest::newRow("nothing ticked") << QList<int>{} << false << false;
    QTest::newRow("the right boxes ticked") << QList<int>{1, 3} << true << false;
    QTest::newRow("a wrong box ticked") << QList<int>{2} << false << false;
    QTest::newRow("in help mode, the right boxes ticked") << QList<int>{1, 3} << true << true;
    QTest::newRow("in help mode, a wrong box ticked") << QList<int>{2} << false << true;
}

void TestQuizWindow::timeout()
{
    QFETCH(QList<int>, ticked);
    QFETCH(bool, right);
    QFETCH(bool, helpMode);

    start({{"1", QStringLiteral("1, 3")}});
    QVERIFY(openQuiz(1, 15));
    tick(ticked);
    m_pulpit->SetHelpMode(helpMode);
    for (int left = 14; left >= 1; --left) {
        m_now += 1000; // a second exactly is not yet a step
        m_quiz->Timer1().Timer1Timer();
        m_now += 250;
        m_quiz->Timer1().Timer1Timer();
        QCOMPARE(led("LEDTime"), left);
    }
    QVERIFY(m_quiz->Timer1().IsRunning());
    m_now += 1001;
    m_quiz->Timer1().Timer1Timer();
    QCOMPARE(led("LEDTime"), 0);
    QVERIFY(!m_quiz->Timer1().IsRunning());

    // The page is submitted once the posted key press reaches the view.
    QTRY_VERIFY(page().startsWith(QStringLiteral("Podsumowanie:")));
    QCOMPARE(led("LEDPoprawne"), right ? 1 : 0);
    QCOMPARE(m_messages.size(), right ? 0 : 1);
    // Running out of time is no command of the reader's: no help, the mode left as it was.
    QVERIFY(m_help.popups.isEmpty());
    QCOMPARE(m_pulpit->HelpMode(), helpMode);
}

void TestQuizWindow::twoQuestions()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}, {"3", QStringLiteral("1")}});
    QVERIFY(openQuiz(2, 30));
    QVERIFY(page().trimmed().startsWith(QStringLiteral("Pytanie numer 1\n")));
    QCOMPARE(led("LEDZadane"), 1);
    QCOMPARE(led("LEDPozostale"), 1);
    QCOMPARE(m_quiz->Remaining(), 1);
    QCOMPARE(m_pulpit->QuizPool().CountAvailable(), 2);

    m_now += 3000; // the countdown starts again for the next question
    m_quiz->Timer1().Timer1Timer();
    QCOMPARE(led("LEDTime"), 29);
    tick({1});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QVERIFY(page().trimmed().startsWith(QStringLiteral("Pytanie numer 2\n")));
    QCOMPARE(led("LEDZadane"), 2);
    QCOMPARE(led("LEDPozostale"), 0);
    QCOMPARE(led("LEDPoprawne"), 1);
    QCOMPARE(led("LEDTime"), 30);
    QCOMPARE(m_quiz->Timer1().LastTick(), m_now);

    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QCOMPARE(page(),
             QStringLiteral("Podsumowanie:\n\n\nOdpowiedziałeś dobrze na 1 pytań(a), co "
                            "stanowi 50% poprawnych odpowiedzi\nDwója!!! - Do roboty, leniu!"));
    QCOMPARE(led("LEDTime"), 0);
    QCOMPARE(led("LEDZadane"), 2);
    QCOMPARE(m_messages.size(), 1);
    // The summary has no form: nothing more is submitted.
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QCOMPARE(m_messages.size(), 1);
}

void TestQuizWindow::findInAQuestion()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}});
    QVERIFY(openQuiz(2, 30));
    m_pulpit->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
    m_quiz->HT1()->setFocus();
    auto *bar = m_quiz->findChild<TFindBar *>();
    QVERIFY(bar && bar->isHidden());

    QTest::keyClick(m_quiz->HT1(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(edit && bar->isAncestorOf(edit));
    // The letter of "&Sprawdź" is only a letter in the bar.
    QTest::keyClicks(edit, QStringLiteral("tresci"));
    QCOMPARE(led("LEDZadane"), 1);
    QCOMPARE(bar->MatchCount(), 1);
    QCOMPARE(m_quiz->HT1()->textCursor().selectedText(), QStringLiteral("treści"));

    // The countdown, the boxes and the accelerator go on as before.
    m_now += 1500;
    m_quiz->Timer1().Timer1Timer();
    QCOMPARE(led("LEDTime"), 29);
    tick({1});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QCOMPARE(led("LEDPoprawne"), 1);
    QCOMPARE(led("LEDZadane"), 2);
    // The next question is searched as it comes.
    QVERIFY(bar->isVisible());
    QTRY_COMPARE(m_quiz->HT1()->textCursor().selectedText(), QStringLiteral("treści"));
    QCOMPARE(bar->MatchCount(), 1);
    QVERIFY(page().contains(QStringLiteral("Pytanie numer 2")));
}

void TestQuizWindow::secondQuizOnlyComesToFront()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}, {"3", QStringLiteral("1")}});
    TfrmQuiz *first = openQuiz(2, 30);
    QVERIFY(first);
    m_pulpit->OpenDocument(QStringLiteral("_19703"),
                           QStringLiteral("21FE")); // another window in front
    QVERIFY(m_pulpit->ActiveChild() != first);
    QCOMPARE(openQuiz(3, 60), first);
    QCOMPARE(m_pulpit->ActiveChild(), first);
    QCOMPARE(first->Remaining(), 1);
    QCOMPARE(first->TimeLimit(), 30);
    QCOMPARE(led("LEDTime"), 30);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 3); // the quiz, the epoch, the quiz again

    first->parentWidget()->close();
    QTRY_VERIFY(m_pulpit->ChildWindows().indexOf(first) < 0);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 1);
    QCOMPARE(m_pulpit->QuizPool().CountAvailable(), 3); // the drawn question is available again
}

void TestQuizWindow::quizPageWhileAQuizRuns()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}, {"3", QStringLiteral("1")}});
    TfrmQuiz *quiz = openQuiz(3, 30);
    m_pulpit->OpenDocument(QStringLiteral("_19703"), QStringLiteral("21FE"));
    m_pulpit->LoadQuizPool();
    QCOMPARE(m_pulpit->ActiveChild(), quiz);
    QCOMPARE(m_pulpit->QuizPool().CountAvailable(), 2); // the drawn question stays drawn
}

void TestQuizWindow::endsWhenNoFurtherQuestion_data()
{
    QTest::addColumn<quint16>("epochs"); // the selection once the first question is shown

    QTest::newRow("selection narrowed to nothing") << quint16(0);
    QTest::newRow("the next question has no text") << quint16(1 << 3);
}

void TestQuizWindow::endsWhenNoFurtherQuestion()
{
    QFETCH(quint16, epochs);

    // Question 1 (epoch 3) alone is selected at first; question 2 (epoch 4) has no text.
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("2"), false, 4}});
    m_pulpit->QuizPool().SetEpochSet(1 << 2);
    QVERIFY(openQuiz(3, 30));
    QCOMPARE(m_quiz->CorrectAnswers(), QStringLiteral("1"));
    m_pulpit->QuizPool().SetEpochSet(epochs);
    tick({1});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);

    // Straight to the summary of the one question asked, not the first one again.
    QVERIFY(page().startsWith(QStringLiteral("Podsumowanie:")));
    QVERIFY(page().contains(QStringLiteral("dobrze na 1 pytań(a), co stanowi 100%")));
    QCOMPARE(led("LEDZadane"), 1);
    QCOMPARE(led("LEDPozostale"), 0); // nothing more will come
    QCOMPARE(led("LEDPoprawne"), 1);
    QCOMPARE(led("LEDTime"), 0);
    QVERIFY(!m_quiz->Timer1().IsRunning());
    QVERIFY(m_messages.isEmpty());
}

void TestQuizWindow::sounds()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}, {"3", QStringLiteral("1")}},
          true);
    QStringList started;
    TM3Player *player = m_pulpit->M3Play();
    connect(player, &TM3Player::AfterFileChange, this, [&started, player] {
        if (!player->FileName().isEmpty())
            started.append(QFileInfo(player->FileName()).fileName());
    });
    QVERIFY(openQuiz(3, 30));
    tick({1});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QTRY_COMPARE(started, QStringList{QStringLiteral("brawo.MP3")});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QTRY_COMPARE(started, (QStringList{QStringLiteral("brawo.MP3"), QStringLiteral("huh.MP3")}));
    QTRY_VERIFY(!player->Running());
}

void TestQuizWindow::helpMode()
{
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}});
    QVERIFY(openQuiz(2, 30));
    m_pulpit->SetHelpMode(true);
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);
    QCOMPARE(m_help.popups, QList<int>{TfrmQuiz::HelpContext});
    QCOMPARE(led("LEDZadane"), 1); // the question stays
    QVERIFY(m_quiz->Timer1().IsRunning());

    QVERIFY(!m_pulpit->HelpMode()); // the help shown ends the mode

    // A release on the counters' panel shows the quiz's help once; outside help mode nothing.
    auto *panel2 = m_quiz->findChild<QFrame *>(QStringLiteral("Panel2"));
    m_pulpit->SetHelpMode(true);
    QTest::mouseClick(panel2, Qt::LeftButton);
    QCOMPARE(m_help.popups, (QList<int>{TfrmQuiz::HelpContext, TfrmQuiz::HelpContext}));
    QTest::mouseClick(panel2, Qt::LeftButton);
    QCOMPARE(m_help.popups.size(), 2);
}

void TestQuizWindow::helpModeClick_data()
{
    QTest::addColumn<int>("control"); // counted from 0: three answers, then "Sprawdź"

    QTest::newRow("on an answer") << 0;
    QTest::newRow("on Sprawdź") << 3;
}

void TestQuizWindow::helpModeClick()
{
    QFETCH(int, control);
    start({{"1", QStringLiteral("1")}, {"2", QStringLiteral("1")}});
    QVERIFY(openQuiz(2, 30));
    m_pulpit->SetHelpMode(true);
    clickControl(*m_quiz->HT1(), control);

    QCOMPARE(m_help.popups, QList<int>{TfrmQuiz::HelpContext});
    QVERIFY(!m_pulpit->HelpMode());
    // Nothing else: the box as it was, the question still asked and its time running.
    QVERIFY(!m_quiz->HT1()->Forms().control(0).checked);
    QCOMPARE(led("LEDZadane"), 1);
    QCOMPARE(led("LEDPoprawne"), 0);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(page().contains(QStringLiteral("Pytanie numer 1")));
    QVERIFY(m_quiz->Timer1().IsRunning());
    QCOMPARE(led("LEDTime"), 30);

    // Out of help mode the same click acts again.
    clickControl(*m_quiz->HT1(), 0);
    QVERIFY(m_quiz->HT1()->Forms().control(0).checked);
}

void TestQuizWindow::unreadableQuestionIsPassedOver()
{
    // Question 1 alone can be read: whichever is drawn first, it is the one asked.
    QList<Question> questions{{"1", QStringLiteral("1")}};
    for (const QByteArray numer : {"2", "3", "4", "5", "6", "7", "8", "9"})
        questions.append({numer, QStringLiteral("1"), false});
    start(questions);
    QVERIFY(openQuiz(3, 30));
    QCOMPARE(led("LEDZadane"), 1);
    QVERIFY(page().contains(QStringLiteral("Pytanie o treści 1")));
    tick({1});
    QTest::keyClick(m_quiz->HT1(), Qt::Key_S);

    // Nothing else is left to ask: the summary of the one question asked.
    QVERIFY(page().startsWith(QStringLiteral("Podsumowanie:")));
    QCOMPARE(led("LEDZadane"), 1);
    QCOMPARE(led("LEDPoprawne"), 1);
    QCOMPARE(led("LEDPozostale"), 0);
    QCOMPARE(m_pulpit->QuizPool().CountAvailable(), 0);
}

void TestQuizWindow::poolLoadCutShortIsDropped()
{
    const QByteArray bytes = quizContainer(
        {{"1", QStringLiteral("1")}, {"2", QStringLiteral("2")}, {"3", QStringLiteral("3")}});
    QVERIFY(m_program.openData(bytes));
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = false;
    m_pulpit = &m_program.startPulpit(environment);

    // The container ends where question 2's field list begins.
    TSimplePSS &file = Directory()->container();
    int cut = -1;
    for (int i = 0; i < file.count(); ++i) {
        if (file.entryAt(i).name == "L197\\TypX\\_19710\\2\\Pola")
            cut = int(file.entryAt(i).offset);
    }
    QVERIFY(cut > 0);
    QVERIFY(QFile::resize(file.fileName(), cut));
    QVERIFY_THROWS_EXCEPTION(ContentError, m_pulpit->LoadQuizPool());
    QCOMPARE(m_pulpit->QuizPool().Count(), 0);

    // The disc can be read again: the next visit reads the whole pool.
    writeBytes(file.fileName(), bytes);
    m_pulpit->LoadQuizPool();
    QCOMPARE(m_pulpit->QuizPool().Count(), 3);
}

void TestQuizWindow::byKeyboardAndScreenReader()
{
    start({{"1", QStringLiteral("1, 3")}, {"2", QStringLiteral("1, 3")}});
    QVERIFY(openQuiz(2, 30));
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
    THTMLViewer *view = m_quiz->HT1();
    QAccessibleInterface *page = QAccessible::queryAccessibleInterface(view);
    QVERIFY(page);
    QCOMPARE(page->role(), QAccessible::Document);
    QCOMPARE(page->text(QAccessible::Name),
             QStringLiteral("Pytanie numer 1 Pytanie o treści %1 Odpowiedzi:")
                 .arg(m_quiz->HT1()->toPlainText().contains(u"treści 1") ? 1 : 2));
    const auto items = [page] {
        QStringList names;
        for (int i = 0; i < page->childCount(); ++i)
            names.append(page->child(i)->text(QAccessible::Name) + u'/' +
                         QString::number(page->child(i)->role()));
        return names;
    };
    const auto item = [](const char16_t *name, QAccessible::Role role) {
        return QString::fromUtf16(name) + u'/' + QString::number(role);
    };
    const QStringList expected{
        item(u"Mickiewicz", QAccessible::CheckBox), item(u"Słowacki", QAccessible::CheckBox),
        item(u"Krasiński", QAccessible::CheckBox), item(u"Sprawdź", QAccessible::PushButton)};
    QCOMPARE(items(), expected);
    QCOMPARE(page->indexOfChild(page->child(2)), 2);
    QCOMPARE(page->child(1)->parent(), page);

    // Tab reaches the first box, Space toggles it.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QAccessibleInterface *first = page->child(0);
    QVERIFY(first->state().focused);
    QCOMPARE(page->focusChild(), first);
    QVERIFY(!first->state().checked);
    QTest::keyClick(view, Qt::Key_Space);
    QVERIFY(first->state().checked);
    QVERIFY(view->Forms().control(0).checked);
    QTest::keyClick(view, Qt::Key_Space);
    QVERIFY(!first->state().checked);
    QTest::keyClick(view, Qt::Key_Space);

    // The reader's actions: the third box, then "Sprawdź"; the right answer is told.
    page->child(2)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(view->Forms().control(2).checked);
    page->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(led("LEDPoprawne"), 1);
    QCOMPARE(verdict(), QStringLiteral("Dobra odpowiedź!"));
    QVERIFY(m_messages.isEmpty());

    // The next question's items, none ticked.
    QVERIFY(page->text(QAccessible::Name).startsWith(QStringLiteral("Pytanie numer 2 ")));
    QCOMPARE(items(), expected);
    QVERIFY(!page->child(0)->state().checked);
}

QTEST_MAIN(TestQuizWindow)
#include "tst_quizwindow.moc"
