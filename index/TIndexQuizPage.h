#pragma once

#include "TIndexPanelPage.h"

#include <QList>

class QSpinBox;
class TGlyphButton;

// The quiz page: the difficulty and epoch buttons that select the questions, the number of
// questions and the seconds for each, and the button that starts the quiz. Showing the page
// prepares the question pool.
class TIndexQuizPage : public TIndexPanelPage
{
    Q_OBJECT

public:
    static constexpr int QuizHelpContext = 4022;

    explicit TIndexQuizPage(const QString &name, QWidget *parent = nullptr);

    void PageShown() override;

    // Any of the twelve selection buttons: the pool's sets follow the buttons.
    void btStopien1Click(TGlyphButton *sender);
    void btQuizStartClick();
    // The count box offers every available question.
    void UpdateQuestionCount();

private:
    TGlyphButton *addButton(const QString &name, const QString &caption, int left, int top);

    QList<TGlyphButton *> m_difficulties; // "Łatwe", "Średnie", "Trudne"
    QList<TGlyphButton *> m_epochs;       // tag k: epoch number k
    QSpinBox *m_seIlosc;
    QSpinBox *m_seCzas;
};
