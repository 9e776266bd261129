#include "Filmography.h"

#include "CategoryTable.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <QCollator>

#include <algorithm>

namespace Filmography {

QString Row(const QStringList &fields)
{
    const auto f = [&fields](QStringView name) { return TextLines::fieldValue(fields, name); };
    // The title cell ends in a blank; the name cells join first name and surname with one,
    // so a missing first name leaves the cell starting with it.
    return QStringLiteral("<tr><td bgcolor=\"#FFFF80\" valign=top><b>") + f(u"Tytuł") +
           QStringLiteral("</b>&nbsp;</td> <td bgcolor=\"#FFFFFF\" valign=top>") +
           f(u"Reżyser_imię") + u' ' + f(u"Reżyser_nazwisko") +
           QStringLiteral("&nbsp;</td><td bgcolor=\"#FFFF80\" valign=top>") +
           f(u"Scenariusz_imię") + u' ' + f(u"Scenariusz_nazwisko") +
           QStringLiteral("&nbsp;</td><td bgcolor=\"#FFFFFF\" valign=top>") + f(u"Data") +
           QStringLiteral("&nbsp;</td><td bgcolor=\"#FFFF80\" valign=top>") + f(u"Dzieło") +
           QStringLiteral("&nbsp;</td></tr>");
}

QStringList Build(TPSSDirectory &directory, const QLocale &locale)
{
    QStringList rows;
    for (const QString &numer : directory.ListNumbers(CategoryTable::Films)) {
        QStringList fields; // fresh for each film: a failed read leaves it untouched
        directory.ReadFields(CategoryTable::Films, numer, fields);
        rows.append(Row(fields));
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });

    rows.prepend(QStringLiteral("<tr><th>Tytuł filmu</th><th>Reżyser</th><th>Scenarzysta</th>"
                                "<th>Premiera</th><th>Na podstawie</th></tr>"));
    rows.prepend(
        QStringLiteral("<table align=center border CellPadding=4 CellSpacing=1 width=100%>"));
    rows.append(QStringLiteral("</table border>"));
    return rows;
}

} // namespace Filmography
