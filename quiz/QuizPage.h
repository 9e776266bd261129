#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TPSSDirectory;

// The page the quiz window shows for a question: the question's text in a framed table under
// its running number, the three answers as check boxes, and the "&Sprawdź" button.
namespace QuizPage {

struct Question
{
    QStringList page;       // the lines for the view
    QString correctAnswers; // "Poprawna" as stored, e.g. "1, 3"
};

// `number` is the question's place in the quiz, counted from 1.
QStringList Build(int number, const QStringList &fields, const QStringList &text);

// None when the question's field list or its text cannot be read: the quiz cannot go on.
std::optional<Question> Read(TPSSDirectory &directory, const QString &numer, int number);

} // namespace QuizPage
