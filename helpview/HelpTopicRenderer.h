#pragma once

#include <QString>

class QTextDocument;
class WinHelpFile;
struct HelpTopic;

// Lays a help topic out in a text document: fonts, colours, paragraph alignment and spacing,
// line breaks, tabs, tables and pictures. Jumps become links "jump:OFFSET", pop-ups
// "popup:OFFSET", with the target's TOPICOFFSET in decimal.
namespace HelpTopicRenderer {

void render(const WinHelpFile &file, const HelpTopic &topic, QTextDocument *document);

// The TOPICOFFSET a link of a rendered topic leads to; false for other links.
bool parseLink(const QString &href, bool *popup, quint32 *offset);

} // namespace HelpTopicRenderer
