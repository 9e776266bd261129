#include "QuotationDraw.h"

#include "CategoryTable.h"
#include "LcgRandom.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

QuotationDraw::QuotationDraw(TPSSDirectory &directory, LcgRandom &random)
    : m_directory(directory), m_random(random)
{
    for (const QString &numer : directory.ListNumbers(CategoryTable::Quotations))
        m_numbers.append(numer.toUpper());
}

std::optional<QStringList> QuotationDraw::Next()
{
    if (m_numbers.isEmpty())
        return std::nullopt;
    const QString numer = m_numbers.takeAt(qsizetype(m_random.Draw(quint32(m_numbers.size()))));
    QStringList fields;
    QStringList text;
    if (!m_directory.ReadFields(CategoryTable::Quotations, numer, fields) ||
        !m_directory.ReadText(CategoryTable::Quotations, numer, text))
        return std::nullopt;
    return Page(std::move(text), fields);
}

QStringList QuotationDraw::Page(QStringList text, const QStringList &fields)
{
    StripLeadingParagraph(text);
    text.prepend(QStringLiteral("<h3><center>"));
    text.append(QStringLiteral("</h3></center><br>"));
    text.append(QStringLiteral("<I>%1, %2</I>")
                    .arg(TextLines::fieldValue(fields, u"Autor"),
                         TextLines::fieldValue(fields, u"Źródło")));
    return text;
}
