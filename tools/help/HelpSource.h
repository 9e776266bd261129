#pragma once

#include <QString>
#include <QStringList>

class HelpFileWriter;

// The source of a help file, a small text markup (UTF-8):
//   @title TEXT, @copyright TEXT, @contents CONTEXT, @cnt LINE (a line of the .CNT file)
//   @font NAME FACE HALFPOINTS [bold] [italic] [underline] [#RRGGBB]
//   @picture NAME FILE (any picture Qt reads)
//   === CONTEXT [NUMBER...] | TITLE  starts a topic
// In a topic, a blank line ends a paragraph; "! " starts a heading, "> " a centred paragraph,
// "- " a list item, "|a|b|" a table row. Inline: **bold**, [[CONTEXT|text]] a jump,
// ((CONTEXT|text)) a pop-up, {{NAME}} a picture, and a line ending in "\\" breaks the line.
namespace HelpSource {

// Feeds the source to `writer`; errors throw std::runtime_error naming the line.
void compile(const QString &sourcePath, HelpFileWriter &writer, QStringList *contentsLines);

} // namespace HelpSource
