#include "TfrmQuiz.h"

#include "Globals.h"
#include "LcgRandom.h"
#include "MessageBoxes.h"
#include "QuizAnswer.h"
#include "QuizPage.h"
#include "QuizSummary.h"
#include "QuizViewAccessible.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TLEDDisplay.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TQuizSuperList.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {

constexpr int SidePanelWidth = 138;
const QColor Lime(0, 255, 0);
const QColor PaleYellow(255, 255, 160);

} // namespace

TfrmQuiz::TfrmQuiz(int questions, int seconds, QuizCountdown::TickSource ticks, QWidget *parent)
    : TfrmWzorBazowy(parent), m_remaining(questions), m_timeLimit(seconds),
      m_timer(std::move(ticks))
{
    setObjectName(QStringLiteral("frmQuiz"));
    resize(398, 343);
    setProperty("helpContext", HelpContext);

    m_ht1 = new THTMLViewer(this);
    m_ht1->setObjectName(QStringLiteral("HT1"));
    m_ht1->SetViewImages(false);
    m_ht1->setFrameShape(QFrame::NoFrame);
    m_ht1->SetDefBackground(PaleYellow);
    m_ht1->SetHelpContext(HelpContext);
    m_ht1->setProperty("helpContext", HelpContext);
    m_ht1->setProperty(QuizViewAccessible::Property, true);
    QuizViewAccessible::Install();

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFixedWidth(SidePanelWidth);
    m_panel1->setFrameShape(QFrame::Panel);
    m_panel1->setFrameShadow(QFrame::Raised);
    m_panel1->setProperty("helpContext", HelpContext);

    m_panel2 = new QFrame(m_panel1);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setGeometry(6, 4, 125, 269);
    m_panel2->setFrameShape(QFrame::Panel);
    m_panel2->setFrameShadow(QFrame::Sunken);
    m_panel2->setAutoFillBackground(true);
    QPalette black = m_panel2->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_panel2->setPalette(black);
    m_panel2->setProperty("helpContext", HelpContext);

    addLabel(QStringLiteral("Czas:"), 4, 4);
    m_ledTime = addDisplay(QStringLiteral("LEDTime"), QStringLiteral("Czas"), 24);
    addLabel(QStringLiteral("Odpowiedzi"), 8, 84);
    addLabel(QStringLiteral("Zadane:"), 8, 104);
    m_ledZadane = addDisplay(QStringLiteral("LEDZadane"), QStringLiteral("Zadane"), 124);
    addLabel(QStringLiteral("Poprawne:"), 4, 156);
    m_ledPoprawne = addDisplay(QStringLiteral("LEDPoprawne"), QStringLiteral("Poprawne"), 176);
    addLabel(QStringLiteral("Pozostało:"), 4, 208);
    m_ledPozostale = addDisplay(QStringLiteral("LEDPozostale"), QStringLiteral("Pozostało"), 228);

    // The verdict on the last answer, for a reader who neither sees the counters nor hears
    // the sound; a screen reader is told when it changes.
    m_verdict = new QLabel(m_panel1);
    m_verdict->setObjectName(QStringLiteral("lbWynik"));
    m_verdict->setGeometry(6, 278, 125, 36);
    m_verdict->setWordWrap(true);
    m_verdict->setAlignment(Qt::AlignCenter);
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *text = new QVBoxLayout;
    text->setSpacing(0);
    text->addWidget(m_ht1, 1);
    text->addWidget(new TFindBar(m_ht1, this, this));
    layout->addLayout(text, 1);
    layout->addWidget(m_panel1);

    connect(m_ht1, &THTMLViewer::FormSubmit, this,
            [this](const QString &, const QString &, const QStringList &results) {
                HT1FormSubmit(results);
            });
    connect(m_ht1, &THTMLViewer::FormControlToggled, this,
            [this](int index) { QuizViewAccessible::ControlToggled(m_ht1, index); });
    connect(m_ht1, &QTextEdit::selectionChanged, this,
            [this] { QuizViewAccessible::ControlFocused(m_ht1); });
    m_ht1->viewport()->installEventFilter(this);
    m_panel1->installEventFilter(this);
    m_panel2->installEventFilter(this);
    connect(&m_timer, &QuizCountdown::Step, this, &TfrmQuiz::CountDown);

    FormCreate();
}

TfrmQuiz *TfrmQuiz::Create(int questions, int seconds)
{
    auto *quiz = new TfrmQuiz(questions, seconds);
    quiz->Start();
    return quiz;
}

void TfrmQuiz::FormCreate()
{
    setWindowTitle(QStringLiteral("Quiz"));
    // The document font as it is now; a later change in the options does not reach the quiz.
    if (TPulpit *pulpit = Pulpit()) {
        m_ht1->SetDefFontName(pulpit->Prefs().docFont);
        m_ht1->SetDefFontSize(pulpit->Prefs().docFontSize);
    }
}

void TfrmQuiz::addLabel(const QString &text, int left, int top)
{
    auto *label = new QLabel(text, m_panel2);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    QPalette lime = label->palette();
    lime.setColor(QPalette::WindowText, Lime);
    label->setPalette(lime);
    label->move(left, top);
    label->adjustSize();
}

TLEDDisplay *TfrmQuiz::addDisplay(const QString &name, const QString &label, int top)
{
    auto *display = new TLEDDisplay(m_panel2);
    display->setObjectName(name);
    display->setAccessibleName(label);
    display->setGeometry(36, top, 80, 30);
    return display;
}

void TfrmQuiz::Start()
{
    LcgRandom::program().Randomize();
    NextQuestion(); // which starts the countdown
}

void TfrmQuiz::NextQuestion()
{
    if (m_remaining <= 0) {
        ShowSummary();
        return;
    }
    // A drawn question that cannot be read is used up and another one drawn. Once none is
    // left (the selection may also have been narrowed during the quiz) the quiz ends with
    // what has been asked so far; the previous page and its answers would otherwise be shown
    // and scored again.
    TPulpit *pulpit = Pulpit();
    TPSSDirectory *directory = Directory();
    const int number = m_ledZadane->Value() + 1;
    std::optional<QuizPage::Question> question;
    while (!question && pulpit && directory) {
        const QString numer = pulpit->QuizPool().DrawQuestion();
        if (numer.isEmpty())
            break;
        question = QuizPage::Read(*directory, numer, number);
    }
    if (!question) {
        m_remaining = 0;
        m_ledPozostale->SetValue(0);
        ShowSummary();
        return;
    }
    m_ledZadane->SetValue(number);
    --m_remaining;
    m_ledPozostale->SetValue(m_remaining);
    m_ht1->LoadStrings(question->page);
    QuizViewAccessible::PageChanged(m_ht1);
    m_correctAnswers = question->correctAnswers;
    m_ledTime->SetValue(m_timeLimit);
    m_timer.Restart();
}

void TfrmQuiz::CountDown()
{
    m_ledTime->SetValue(m_ledTime->Value() - 1);
    if (m_ledTime->Value() != 0)
        return;
    m_timer.Stop();
    // Once the tick is over the page is submitted with the boxes ticked then.
    QMetaObject::invokeMethod(this, &TfrmQuiz::submitOnTimeout, Qt::QueuedConnection);
}

void TfrmQuiz::submitOnTimeout()
{
    // The reader may have answered in the meantime: a new question has its full time.
    if (m_ledTime->Value() != 0)
        return;
    // Not the reader's command, so help mode does not stop it.
    const HtmlForms &forms = m_ht1->Forms();
    for (int i = 0; i < forms.count(); ++i) {
        if (forms.control(i).kind == HtmlForms::Kind::SubmitButton) {
            score(forms.submission(i));
            return;
        }
    }
}

void TfrmQuiz::HT1FormSubmit(const QStringList &results)
{
    TPulpit *pulpit = Pulpit();
    if (pulpit && pulpit->HelpMode()) {
        pulpit->ShowContextHelp(m_ht1);
        return;
    }
    score(results);
}

void TfrmQuiz::score(const QStringList &results)
{
    TPulpit *pulpit = Pulpit();
    if (pulpit)
        pulpit->StopSound();
    m_timer.Stop();
    if (QuizAnswer::IsRight(m_correctAnswers, results)) {
        m_verdict->setText(QStringLiteral("Dobra odpowiedź!"));
        playSound(QStringLiteral("brawo"));
        m_ledPoprawne->SetValue(m_ledPoprawne->Value() + 1);
    } else {
        m_verdict->setText(QStringLiteral("Zła odpowiedź."));
        playSound(QStringLiteral("huh"));
        const QPointer<TfrmQuiz> self(this);
        MessageBoxes::show(nullptr,
                           {QuizAnswer::WrongAnswerText(m_correctAnswers), QStringLiteral("Błąd!"),
                            QMessageBox::NoIcon, QMessageBox::Ok});
        // The window may have been closed while the message was open.
        if (!self)
            return;
    }
    NextQuestion();
}

void TfrmQuiz::ShowSummary()
{
    m_timer.Stop();
    m_ledTime->SetValue(0);
    m_ht1->LoadStrings(QuizSummary::Page(m_ledPoprawne->Value(), m_ledZadane->Value()));
    QuizViewAccessible::PageChanged(m_ht1);
}

void TfrmQuiz::playSound(const QString &name)
{
    if (TPulpit *pulpit = Pulpit())
        pulpit->PlayNarration(QStringLiteral("events"), name);
}

bool TfrmQuiz::Panel2MouseUp(QObject *control)
{
    TPulpit *pulpit = Pulpit();
    return pulpit && pulpit->HelpTest(control);
}

bool TfrmQuiz::eventFilter(QObject *watched, QEvent *event)
{
    // In help mode a click shows help and does nothing else. The view ticks a box or submits
    // as the click ends, so its press is held back too and its release shows the help.
    const bool view = watched == m_ht1->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (view) {
            const TPulpit *pulpit = Pulpit();
            if (pulpit && pulpit->HelpMode())
                return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        // Handled once, by the innermost panel.
        if (Panel2MouseUp(view ? m_ht1 : watched))
            return true;
        break;
    default:
        break;
    }
    return TfrmWzorBazowy::eventFilter(watched, event);
}

void TfrmQuiz::closeEvent(QCloseEvent *event)
{
    TfrmWzorBazowy::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_timer.Stop();
    if (TPulpit *pulpit = Pulpit())
        pulpit->QuizPool().ClearUsed();
}
