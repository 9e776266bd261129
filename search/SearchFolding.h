#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Matching that fits Polish: letters compare without regard to case or diacritics, so
// "lodz", "ŁÓDŹ" and "Łódź" are one word. The folding keeps the text's length (one UTF-16
// unit in, one out), so a position in folded text is the same position in the original.
namespace SearchFolding {

QChar fold(QChar c);
QString fold(QStringView text);

// The folded words of a text: runs of letters and digits, everything else separates them.
QStringList words(QStringView text);

} // namespace SearchFolding
