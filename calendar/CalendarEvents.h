#pragma once

#include "CategoryTable.h"

#include <QString>
#include <QStringList>

class TKalendarList;
class TPSSDirectory;

// Reading the calendar's events from the content, shared by the calendar page and the
// container tool.
namespace CalendarEvents {

inline const QString Typ = CategoryTable::Calendar;

// The sort buttons of the strip, numbered as their tags.
enum SortButton { Chronologicznie = 1, Kategoriami = 2, Typem = 3 };

// Fills `list` (cleared first) with every event of the content in the directory's order. An
// event whose field list cannot be read, or whose year, category or type is not a decimal
// number, is left out: loaded as year 0 it would stand first and hide the rest. An empty
// value counts as 0.
void Load(TPSSDirectory &directory, TKalendarList &list);

// Puts freshly loaded events into the order of the strip for the sort button that is down:
// by year, and then by category or type within the years' order.
void SortLoaded(TKalendarList &list, SortButton button);

// The text of an event's bar: the event, "; " and the author unless it is "- " (no author),
// "; " and the additional information when there is any.
QString BarText(const QStringList &fields);

} // namespace CalendarEvents
