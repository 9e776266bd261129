#pragma once

#include <QString>
#include <QStringList>

// Judging one answer: all or nothing, the ticked boxes against the question's "Poprawna".
namespace QuizAnswer {

// "Poprawna" without its commas and blanks: "1, 3" gives "13".
QString Expected(const QString &correctAnswers);
// The values of "Odp1", "Odp2" and "Odp3" among the submitted name=value lines, in that order.
QString Given(const QStringList &submitted);
bool IsRight(const QString &correctAnswers, const QStringList &submitted);
// What the reader is told after a wrong answer: the right one, or the right ones.
QString WrongAnswerText(const QString &correctAnswers);

} // namespace QuizAnswer
