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

// Where `query` occurs in `text`, compared folded, as a browser's find in page matches: a plain
// substring, not whole words, and white space of any kind (a non-breaking space, say) matches
// any other. The starts of the matches, in order and not overlapping; each match is as long as
// the query. An empty or blank query occurs nowhere.
QList<qsizetype> occurrences(QStringView text, QStringView query);

} // namespace SearchFolding
