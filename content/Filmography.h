#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class TPSSDirectory;

// The filmography page: one table row per film (title, director, screenwriter,
// premiere, the work it is based on), rows in the order of their whole text.
namespace Filmography {

// A film's row as one line; a field list that could not be read gives empty cells.
QString Row(const QStringList &fields);

// The table's lines, rows sorted ascending as whole texts with the locale's collation,
// letter case ignored (the user's locale by default).
QStringList Build(TPSSDirectory &directory, const QLocale &locale = QLocale());

} // namespace Filmography
