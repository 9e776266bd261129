#include "QuizAnswer.h"

#include "TextLines.h"

namespace QuizAnswer {

QString Expected(const QString &correctAnswers)
{
    QString expected = correctAnswers;
    expected.remove(u',');
    expected.remove(u' ');
    return expected;
}

QString Given(const QStringList &submitted)
{
    return TextLines::fieldValue(submitted, u"Odp1") + TextLines::fieldValue(submitted, u"Odp2") +
           TextLines::fieldValue(submitted, u"Odp3");
}

bool IsRight(const QString &correctAnswers, const QStringList &submitted)
{
    return Given(submitted) == Expected(correctAnswers);
}

QString WrongAnswerText(const QString &correctAnswers)
{
    return (correctAnswers.size() == 1 ? QStringLiteral("Źle!\r\nPoprawna jest odpowiedź: ")
                                       : QStringLiteral("Źle!\r\nPoprawne są odpowiedzi: ")) +
           correctAnswers;
}

} // namespace QuizAnswer
