#include "TIndexQuizPage.h"

#include "HelpClicks.h"
#include "MessageBoxes.h"
#include "ReportingErrors.h"
#include "TGlyphButton.h"
#include "TPulpit.h"
#include "TQuizSuperList.h"

#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>

namespace {

constexpr int Columns[] = {118, 206, 295};
constexpr int EpochRows[] = {116, 143, 166};
constexpr int DifficultyTop = 82;
constexpr int ButtonWidth = 83;
constexpr int ButtonHeight = 23;

constexpr const char16_t *Difficulties[] = {u"Łatwe", u"Średnie", u"Trudne"};
// By epoch number, column by column.
constexpr const char16_t *Epochs[] = {u"Średniowiecze", u"Renesans",      u"Barok",
                                      u"Oświecenie",    u"Romantyzm",     u"Pozytywizm",
                                      u"Młoda polska",  u"XX lecie m.w.", u"Lit. współczesna"};

void setHint(QWidget *widget, const QString &hint)
{
    widget->setProperty("hint", hint);
    widget->setToolTip(hint);
}

} // namespace

TIndexQuizPage::TIndexQuizPage(const QString &name, QWidget *parent)
    : TIndexPanelPage(name, QStringLiteral("Quiz"), QuizHelpContext, parent)
{
    for (int i = 0; i < 3; ++i) {
        m_difficulties.append(addButton(QStringLiteral("btStopien%1").arg(i + 1),
                                        QString::fromUtf16(Difficulties[i]), Columns[i],
                                        DifficultyTop));
    }
    for (int k = 1; k <= 9; ++k) {
        TGlyphButton *button =
            addButton(QStringLiteral("btEpoka%1").arg(k), QString::fromUtf16(Epochs[k - 1]),
                      Columns[(k - 1) / 3], EpochRows[(k - 1) % 3]);
        button->SetTag(k);
        m_epochs.append(button);
    }

    // The maximum follows the selection; until then the box allows two.
    m_seIlosc = new QSpinBox(Panel());
    m_seIlosc->setObjectName(QStringLiteral("seIlosc"));
    m_seIlosc->setGeometry(112, 236, 93, ButtonHeight);
    m_seIlosc->setRange(1, 2);
    m_seIlosc->setValue(1);
    m_seIlosc->findChild<QLineEdit *>()->setMaxLength(3);
    m_seIlosc->setAccessibleName(QStringLiteral("Ilość pytań"));
    setHint(m_seIlosc, QStringLiteral("Ilość pytań w quizie"));

    // Stepped by its arrows only.
    m_seCzas = new QSpinBox(Panel());
    m_seCzas->setObjectName(QStringLiteral("seCzas"));
    m_seCzas->setGeometry(210, 236, 93, ButtonHeight);
    m_seCzas->setRange(15, 60);
    m_seCzas->setSingleStep(15);
    m_seCzas->setValue(60);
    m_seCzas->findChild<QLineEdit *>()->setReadOnly(true);
    m_seCzas->setAccessibleName(QStringLiteral("Czas (sekundy)"));
    setHint(m_seCzas, QStringLiteral("CZas na odpowiedź (sekundy)"));

    auto *start = new TGlyphButton(Panel());
    start->setObjectName(QStringLiteral("btQuizStart"));
    start->setGeometry(308, 236, ButtonWidth, ButtonHeight);
    start->setText(QStringLiteral("Start"));
    start->setProperty("helpContext", QuizHelpContext);
    connect(start, &QAbstractButton::clicked, this, &TIndexQuizPage::btQuizStartClick);
    for (QWidget *box : {static_cast<QWidget *>(m_seIlosc), static_cast<QWidget *>(m_seCzas)})
        box->setProperty("helpContext", QuizHelpContext);
}

TGlyphButton *TIndexQuizPage::addButton(const QString &name, const QString &caption, int left,
                                        int top)
{
    auto *button = new TGlyphButton(Panel());
    button->setObjectName(name);
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    button->setCheckable(true);
    button->setText(caption);
    button->setProperty("helpContext", QuizHelpContext);
    // In help mode a press shows the panel's help and leaves the button as it is.
    Help()->watch(button, button, QEvent::MouseButtonPress);
    connect(button, &QAbstractButton::clicked, this, [this, button] { btStopien1Click(button); });
    return button;
}

void TIndexQuizPage::PageShown()
{
    ReportingErrors([] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->LoadQuizPool();
    });
}

void TIndexQuizPage::btStopien1Click(TGlyphButton *sender)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit)
        return;
    if (pulpit->HelpTest(sender)) {
        // Toggled from the keyboard: the button goes back to what the pool holds.
        sender->setChecked(!sender->isChecked());
        return;
    }
    quint8 difficulties = 0;
    for (int i = 0; i < m_difficulties.size(); ++i) {
        if (m_difficulties.at(i)->isChecked())
            difficulties |= quint8(1u << i);
    }
    quint16 epochs = 0;
    for (const TGlyphButton *button : std::as_const(m_epochs)) {
        if (button->isChecked())
            epochs |= quint16(1u << (button->Tag() - 1));
    }
    TQuizSuperList &pool = pulpit->QuizPool();
    pool.SetDifficultySet(difficulties);
    pool.SetEpochSet(epochs);
    UpdateQuestionCount();
}

void TIndexQuizPage::UpdateQuestionCount()
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit)
        return;
    // The box cannot range from 1 to 0: with nothing available it holds 1 alone, which the
    // start button refuses as it would any single question.
    const int available = pulpit->QuizPool().CountAvailable();
    m_seIlosc->setMaximum(qMax(1, available));
    m_seIlosc->setValue(available);
}

void TIndexQuizPage::btQuizStartClick()
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit)
        return;
    if (pulpit->QuizPool().CountAvailable() > 0 && m_seIlosc->value() > 1) {
        pulpit->OpenQuiz(m_seIlosc->value(), m_seCzas->value());
        return;
    }
    MessageBoxes::show(nullptr,
                       {QStringLiteral("Brak wyselekcjonowanych pytań.\r\nWybierz kategorię "
                                       "pytań i stopień trudności przed rozpoczęciem testu!"),
                        QStringLiteral("Za mało danych!"), QMessageBox::NoIcon, QMessageBox::Ok});
}
