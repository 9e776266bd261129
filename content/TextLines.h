#pragma once

#include <QStringList>
#include <QStringView>

namespace TextLines {

// Splits text into lines at CR LF, CR or LF. A break at the very end opens no further line,
// and empty text gives no lines.
QStringList split(QStringView text);

// The value of a field list (lines name=value): the text after the first "=" of the first
// line whose name matches without regard to letter case, or the empty text.
QString fieldValue(const QStringList &lines, QStringView name);

} // namespace TextLines

// Removes "<P>" (upper-case only) from the start of the first line; an empty list stays empty.
void StripLeadingParagraph(QStringList &lines);
