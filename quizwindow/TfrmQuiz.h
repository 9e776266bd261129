#pragma once

#include "QuizCountdown.h"
#include "TfrmWzorBazowy.h"

#include <QStringList>

class QFrame;
class QLabel;
class TLEDDisplay;
class THTMLViewer;

// The quiz window: a fixed number of questions drawn from the pool, one page each with three
// answers to tick and a countdown, scored all or nothing, and a summary with the grade.
class TfrmQuiz : public TfrmWzorBazowy
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 4040;

    // `questions` to ask, `seconds` for each; the tick source drives the countdown.
    TfrmQuiz(int questions, int seconds, QuizCountdown::TickSource ticks = {},
             QWidget *parent = nullptr);

    // A new window, started: what the main window opens for a quiz.
    static TfrmQuiz *Create(int questions, int seconds);

    // Reseeds the generator and shows the first question.
    void Start();
    // The next question, or the summary once every question has been asked or no further
    // question can be drawn and read.
    void NextQuestion();
    void ShowSummary();
    // One second less; at zero the page is submitted as it stands.
    void CountDown();
    // The reader's answer: the ticked boxes as name=value lines; in help mode only the help.
    void HT1FormSubmit(const QStringList &results);

    int Remaining() const { return m_remaining; }
    int TimeLimit() const { return m_timeLimit; }
    const QString &CorrectAnswers() const { return m_correctAnswers; }
    QuizCountdown &Timer1() { return m_timer; }
    THTMLViewer *HT1() const { return m_ht1; }

protected:
    // Closing forgets the window and makes every question available again.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void score(const QStringList &results);
    // The countdown reached zero: the page as it stands is the answer.
    void submitOnTimeout();
    // In help mode, the help of the control released on; true when it was shown.
    bool Panel2MouseUp(QObject *control);
    TLEDDisplay *addDisplay(const QString &name, const QString &label, int top);
    void addLabel(const QString &text, int left, int top);
    void playSound(const QString &name);

    int m_remaining;
    int m_timeLimit;
    QString m_correctAnswers;
    QuizCountdown m_timer;

    THTMLViewer *m_ht1;
    QFrame *m_panel1;
    QFrame *m_panel2;
    TLEDDisplay *m_ledTime;
    TLEDDisplay *m_ledZadane;
    TLEDDisplay *m_ledPoprawne;
    TLEDDisplay *m_ledPozostale;
    QLabel *m_verdict;
};
