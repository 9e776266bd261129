#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class LcgRandom;
class TPSSDirectory;

// The quotations of the quote of the day, drawn at random without repeats: each draw takes
// one of those left and removes it, whether or not its page could be built.
class QuotationDraw
{
public:
    // Every quotation of the category, in the directory's order.
    QuotationDraw(TPSSDirectory &directory, LcgRandom &random);

    int Remaining() const { return int(m_numbers.size()); }
    // The page of the quotation drawn; nothing when none is left or its field list or text
    // cannot be read.
    std::optional<QStringList> Next();

    // The quotation's text as a centred heading, then its author and source in italics.
    static QStringList Page(QStringList text, const QStringList &fields);

private:
    TPSSDirectory &m_directory;
    LcgRandom &m_random;
    QStringList m_numbers; // upper case
};
