#include "CalendarEvents.h"

#include "TKalendarList.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <optional>

namespace CalendarEvents {

namespace {

std::optional<qint32> number(const QStringList &fields, QStringView name)
{
    const QString value = TextLines::fieldValue(fields, name);
    if (value.isEmpty())
        return 0;
    bool ok = false;
    const int n = value.toInt(&ok, 10);
    return ok ? std::optional<qint32>(n) : std::nullopt;
}

} // namespace

void Load(TPSSDirectory &directory, TKalendarList &list)
{
    list.Clear();
    QStringList fields;
    for (const QString &numer : directory.ListNumbers(Typ)) {
        if (!directory.ReadFields(Typ, numer, fields))
            continue;
        const auto year = number(fields, u"Rok");
        const auto category = number(fields, u"Kategoria");
        const auto type = number(fields, u"Typ_wydarzenia");
        if (year && category && type)
            list.Add({*year, *category, *type, numer, Typ});
    }
}

void SortLoaded(TKalendarList &list, SortButton button)
{
    list.SortBy(TKalendarList::ByYear);
    if (button == Kategoriami)
        list.SortBy(TKalendarList::ByCategory);
    else if (button == Typem)
        list.SortBy(TKalendarList::ByType);
}

QString BarText(const QStringList &fields)
{
    QString text = TextLines::fieldValue(fields, u"Wydarzenie bis");
    const QString author = TextLines::fieldValue(fields, u"Autor");
    if (author != u"- ")
        text += QStringLiteral("; ") + author;
    const QString more = TextLines::fieldValue(fields, u"Dodatkowe_informacje");
    if (!more.isEmpty())
        text += QStringLiteral("; ") + more;
    return text;
}

} // namespace CalendarEvents
