#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TPSSDirectory;

// What each category's document window shows, as functions of the entry's field list and its
// text alone: the window caption, the HTML lines for the view (heading lines, the entry text
// as stored, the footer), and the works and illustration banners' text.
namespace DocumentTemplates {

struct Document
{
    std::optional<QString> caption;   // none: the window keeps its design caption
    std::optional<QStringList> lines; // none: the view stays empty
    std::optional<QString> banner;    // works and illustrations: the banner's text
};

// The categories whose window shows a document built here.
bool IsDocumentCategory(const QString &typ);
// Whether the category shows the entry's description (the illustrations) instead of its text.
bool UsesDescription(const QString &typ);

// `fields` and `text` are none when they could not be read; `text` is the description for
// the illustrations.
Document Build(const QString &typ, const std::optional<QStringList> &fields,
               const std::optional<QStringList> &text);

// Reads what Build needs from the directory and builds the document.
Document BuildEntry(TPSSDirectory &directory, const QString &typ, const QString &numer);

// Heading pieces with rules of their own.
QString BiographyLifeLine(const QStringList &fields);
QString WorksPublicationLine(const QStringList &fields);

} // namespace DocumentTemplates
