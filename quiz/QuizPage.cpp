#include "QuizPage.h"

#include "TPSSDirectory.h"
#include "TQuizSuperList.h"
#include "TextLines.h"

namespace QuizPage {

// The answer texts go in as stored, markup included.
QStringList Build(int number, const QStringList &fields, const QStringList &text)
{
    const auto answer = [&fields](QStringView name) { return TextLines::fieldValue(fields, name); };
    QStringList page{
        QStringLiteral("<body><br><table border align=center width=75%>"),
        QStringLiteral("<tr><td bgcolor=\"#d0d0d0\">"),
        QStringLiteral("<table align=center>"),
        QStringLiteral("<tr><th align=right><h3>Pytanie numer ") + QString::number(number) +
            QStringLiteral("</h3></th></td>"),
        QStringLiteral("<tr><td><hr></td>"),
        QStringLiteral("<tr><td align=center><h3>"),
    };
    page.append(text);
    page.append({
        QStringLiteral("</h3></td>"),
        QStringLiteral("<tr><td><hr><br></td>"),
        QStringLiteral("<tr><td align=left><b>Odpowiedzi:</b></td>"),
        QStringLiteral("<tr><td align=left><ol><li><input type=checkbox Name=Odp1 value=1> ") +
            answer(u"1") + QStringLiteral("<br>"),
        QStringLiteral("<li><input type=checkbox Name=Odp2 value=2> ") + answer(u"2") +
            QStringLiteral("<br>"),
        QStringLiteral("<li><input type=checkbox Name=Odp3 value=3> ") + answer(u"3") +
            QStringLiteral("</ol></td>"),
        QStringLiteral("<tr><td><hr></td>"),
        QStringLiteral("<tr><td align= center><h3><INPUT TYPE=SUBMIT name=\"Odpowiedz\" "
                       "value=\"&Sprawdź\"></h3></td>"),
        QStringLiteral("</table>"),
        QStringLiteral("</table><br><br></body>"),
    });
    return page;
}

std::optional<Question> Read(TPSSDirectory &directory, const QString &numer, int number)
{
    QStringList fields, text;
    if (!directory.ReadFields(TQuizSuperList::Category, numer, fields) ||
        !directory.ReadText(TQuizSuperList::Category, numer, text))
        return std::nullopt;
    return Question{Build(number, fields, text), TextLines::fieldValue(fields, u"Poprawna")};
}

} // namespace QuizPage
