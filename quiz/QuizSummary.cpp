#include "QuizSummary.h"

namespace QuizSummary {

int Percent(int right, int asked)
{
    if (asked <= 0)
        return 0;
    // In whole numbers, so 7 of 8 (87.5) and 5 of 8 (62.5) round exactly.
    const qint64 scaled = qint64(right) * 100;
    qint64 percent = scaled / asked;
    const qint64 twiceRest = (scaled % asked) * 2;
    if (twiceRest > asked || (twiceRest == asked && percent % 2 != 0))
        ++percent;
    return int(percent);
}

QString Verdict(int percent)
{
    if (percent < 50)
        return QStringLiteral("Pała!!! Cóż, nie każdy musi zdać maturę.");
    if (percent < 60)
        return QStringLiteral("Dwója!!! - Do roboty, leniu!");
    if (percent < 70)
        return QStringLiteral("Trója!!! - Dużo pracy przed Tobą.");
    if (percent < 80)
        return QStringLiteral("Czwórka!!! - Nieżle, ale mogło być lepiej.");
    if (percent < 90)
        return QStringLiteral("Piątka!!! - Świetnie! Tak trzymaj!");
    return QStringLiteral("Szóstka!!! - Gratulacje, mistrzu!");
}

QStringList Page(int right, int asked)
{
    const int percent = Percent(right, asked);
    return {QStringLiteral("<H1>Podsumowanie:</H1><hr><br>"),
            QStringLiteral("<b><center><h3>Odpowiedziałeś dobrze na ") + QString::number(right) +
                QStringLiteral(" pytań(a), co stanowi ") + QString::number(percent) +
                QStringLiteral("% poprawnych odpowiedzi<br>") + Verdict(percent) +
                QStringLiteral("</h3></center></b>")};
}

} // namespace QuizSummary
