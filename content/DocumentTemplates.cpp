#include "DocumentTemplates.h"

#include "CategoryTable.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <QStringView>

// The bullet "•" in the templates is U+2022, byte 149 of Windows-1250, the code page the
// content is held in. Field values go into the captions and the HTML exactly as stored:
// nothing is escaped or trimmed, so a value holding markup renders as markup.

namespace {

// A field list read by name: f[u"Tytuł"] is the value of the "Tytuł" line, or empty.
class Fields
{
public:
    explicit Fields(const QStringList &lines) : m_lines(lines) {}
    QString operator[](QStringView name) const { return TextLines::fieldValue(m_lines, name); }
    const QStringList &lines() const { return m_lines; }

private:
    const QStringList &m_lines;
};

// What a category puts around the entry text.
struct Page
{
    QString caption;
    QStringList heading;                          // before the first line of the text
    QStringList footer;                           // after its last line
    std::optional<QString> banner = std::nullopt; // works only
};

Page works(const Fields &f)
{
    return {QStringLiteral("Dzieło: ") + f[u"Tytuł"] + QStringLiteral(" - ") + f[u"Autor"],
            {QStringLiteral("<h1>") + f[u"Tytuł"] + QStringLiteral("</h1><b>• ") + f[u"Autor"] +
                 QStringLiteral(" •<br>"),
             DocumentTemplates::WorksPublicationLine(f.lines())},
            {QStringLiteral("<br><br><font size=-1><p align=right><I>") + f[u"Autor_tekstu"] +
             QStringLiteral("</I></font>")},
            f[u"Lead"]};
}

Page biography(const Fields &f)
{
    // The font element stays open, unlike the works footer's.
    return {QStringLiteral("Twórca: ") + f[u"Autor"],
            {DocumentTemplates::BiographyLifeLine(f.lines())},
            {QStringLiteral("<br><br><font size=-1><p align=right><I>") + f[u"Autor_tekstu"] +
             QStringLiteral("</I>")}};
}

Page epoch(const Fields &f)
{
    return {QStringLiteral("Epoka: ") + f[u"Epoka"], {}, {}};
}

Page genre(const Fields &f)
{
    return {QStringLiteral("Gatunek: ") + f[u"Gatunek"],
            {QStringLiteral("<h1>") + f[u"Gatunek"] + QStringLiteral("</h1><b>• ") + f[u"Rodzaj"] +
             QStringLiteral(" •</b><hr><br>")},
            {}};
}

Page term(const Fields &f)
{
    return {QStringLiteral("Termin: ") + f[u"Termin"],
            {QStringLiteral("<h1>") + f[u"Termin"] + QStringLiteral("</h1><hr>")},
            {}};
}

Page excerpt(const Fields &f)
{
    return {QStringLiteral("Wypis: ") + f[u"Dzieło"] + QStringLiteral(" - ") + f[u"Fragment"],
            {QStringLiteral("<h1>") + f[u"Fragment"] + QStringLiteral("</h1><b>• ") + f[u"Dzieło"] +
             QStringLiteral(" • ") + f[u"Autor"] + QStringLiteral(" •</b><hr><br>")},
            {}};
}

Page art(const Fields &f)
{
    return {QStringLiteral("Sztuka polska: ") + f[u"Tytuł"], {}, {}};
}

Page art2(const Fields &f)
{
    return {QStringLiteral("Sztuka polska: ") + f[u"Tytuł"] + QStringLiteral(" - ") + f[u"Nazwa"],
            {},
            {}};
}

Page kind(const Fields &f)
{
    return {QStringLiteral("Rodzaj: ") + f[u"Rodzaj"],
            {QStringLiteral("<h1>") + f[u"Rodzaj"] + QStringLiteral("</h1><b><hr>")},
            {}};
}

Page quotation(const Fields &f)
{
    return {QStringLiteral("Cytat: ") + f[u"Źródło"] + QStringLiteral(" - ") + f[u"Autor"],
            {QStringLiteral("<h1>") + f[u"Autor"] + QStringLiteral("</h1><b><br>• ") +
             f[u"Źródło"] + QStringLiteral(" •</b><hr><br>")},
            {}};
}

Page hero(const Fields &f)
{
    return {QStringLiteral("Bohater: ") + f[u"Nazwa"],
            {QStringLiteral("<h1>") + f[u"Nazwa"] + QStringLiteral("</h1><b>"),
             QStringLiteral("• ") + f[u"Dzieło"] + QStringLiteral(" •</b><hr>")},
            {}};
}

using PageFunction = Page (*)(const Fields &);

PageFunction pageOf(CategoryTable::Template page)
{
    using T = CategoryTable::Template;
    switch (page) {
    case T::Works:
        return works;
    case T::Biography:
        return biography;
    case T::Epoch:
        return epoch;
    case T::Genre:
        return genre;
    case T::Term:
        return term;
    case T::Excerpt:
        return excerpt;
    case T::Art:
        return art;
    case T::Art2:
        return art2;
    case T::Kind:
        return kind;
    case T::Quotation:
        return quotation;
    case T::Hero:
        return hero;
    case T::None:
    case T::Illustration:
        break;
    }
    return nullptr;
}

// The category's row when its template puts a page around the entry text.
const CategoryTable::Category *templateOf(QStringView typ)
{
    const CategoryTable::Category *category = CategoryTable::Find(typ);
    return category && pageOf(category->page) ? category : nullptr;
}

DocumentTemplates::Document illustration(const std::optional<QStringList> &fields,
                                         const std::optional<QStringList> &description)
{
    DocumentTemplates::Document document;
    if (!fields)
        return document;
    const QString title = Fields(*fields)[u"Tytuł"];
    document.caption = QStringLiteral("Ilustracja: ") + title;
    document.banner = title;
    if (description) {
        // The title goes first as it is, with no markup put around it.
        QStringList lines = *description;
        lines.prepend(title);
        document.lines = std::move(lines);
    }
    return document;
}

} // namespace

namespace DocumentTemplates {

bool IsDocumentCategory(const QString &typ)
{
    return UsesDescription(typ) || templateOf(typ) != nullptr;
}

bool UsesDescription(const QString &typ)
{
    const CategoryTable::Category *category = CategoryTable::Find(typ);
    return category && category->page == CategoryTable::Template::Illustration;
}

Document Build(const QString &typ, const std::optional<QStringList> &fields,
               const std::optional<QStringList> &text)
{
    if (UsesDescription(typ))
        return illustration(fields, text);

    Document document;
    const CategoryTable::Category *t = templateOf(typ);
    if (!t || (!fields && !t->withoutFields))
        return document;

    const QStringList noFields;
    const Fields f(fields ? *fields : noFields);
    Page page = pageOf(t->page)(f);
    document.caption = std::move(page.caption);
    document.banner = std::move(page.banner);
    if (!text)
        return document;

    QStringList lines = std::move(page.heading);
    lines += *text;
    lines += page.footer;
    document.lines = std::move(lines);
    return document;
}

Document BuildEntry(TPSSDirectory &directory, const QString &typ, const QString &numer)
{
    const CategoryTable::Category *t = templateOf(typ);
    if (!t && !UsesDescription(typ))
        return {};

    std::optional<QStringList> fields;
    QStringList lines;
    if (directory.ReadFields(typ, numer, lines))
        fields = std::move(lines);
    // Without its field list a window reads no text unless it goes on under empty values.
    if (!fields && !(t && t->withoutFields))
        return Build(typ, fields, std::nullopt);

    std::optional<QStringList> text;
    lines.clear();
    const bool read = UsesDescription(typ) ? directory.ReadDescription(typ, numer, lines)
                                           : directory.ReadText(typ, numer, lines);
    if (read)
        text = std::move(lines);
    return Build(typ, fields, text);
}

QString BiographyLifeLine(const QStringList &fields)
{
    const Fields f(fields);
    QString line =
        QStringLiteral("<h1>") + f[u"Autor"] + QStringLiteral("</h1><b>• ur. ") + f[u"Urodzony"];
    const QString died = f[u"Zmarły"];
    if (!died.isEmpty())
        line += QStringLiteral(" • zm. ") + died;
    line += QStringLiteral(" •</b><hr><br>");
    return line;
}

QString WorksPublicationLine(const QStringList &fields)
{
    const Fields f(fields);
    const QString place = f[u"I_wyd_miejsce"];
    const QString date = f[u"I_wyd_data"];
    QString line;
    if (!place.isEmpty())
        line = QStringLiteral("• ") + place;
    if (!date.isEmpty())
        line += QStringLiteral(" • ") + date;
    if (line.isEmpty())
        return QStringLiteral("</b><hr><br>"); // closes the bold opened by heading line 1
    return line + QStringLiteral(" •</b><hr><br>");
}

} // namespace DocumentTemplates
