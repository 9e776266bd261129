#pragma once

#include <QString>
#include <QStringList>

// The page that ends a quiz: how many answers were right, their share in percent and the
// school grade it earns.
namespace QuizSummary {

// right / asked * 100, rounded to the nearest whole number, halves to the even one; 0 when
// nothing was asked.
int Percent(int right, int asked);
QString Verdict(int percent);
QStringList Page(int right, int asked);

} // namespace QuizSummary
