#pragma once

#include <QString>
#include <QStringList>

// The reader's text of an entry's HTML lines: tags, comments, scripts and styles removed,
// character references resolved, runs of white space made one space.
namespace HtmlText {

QString plainText(const QStringList &lines);

} // namespace HtmlText
