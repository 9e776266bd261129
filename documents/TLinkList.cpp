#include "TLinkList.h"

#include "Cp1250.h"

#include <algorithm>

int TLinkList::LoadFromValue(const QString &typ, QString value)
{
    Clear();
    // Only blanks go; a tab or line break stays part of a number and makes that link
    // unreadable, as an empty number does.
    RemoveSpaces(value);
    for (;;) {
        const qsizetype semicolon = value.indexOf(u';');
        if (semicolon >= 0)
            m_links.push_back({value.first(semicolon), typ});
        else if (!value.isEmpty())
            m_links.push_back({value, typ});
        else
            break;
        DropFirstItem(value);
    }
    return Count();
}

bool TLinkList::GetLink(int index, QString &typ, QString &numer) const
{
    if (index < 0 || index >= Count())
        return false;
    const TLinkRecord &link = m_links[size_t(index)];
    typ = link.Typ;
    numer = link.Numer;
    return true;
}

void RemoveSpaces(QString &text)
{
    text.remove(u' ');
}

void DropFirstItem(QString &text)
{
    const qsizetype semicolon = text.indexOf(u';');
    if (semicolon >= 0)
        text.remove(0, semicolon + 1);
    else
        text.clear();
}

bool CaptionLess(const QString &a, const QString &b)
{
    const QByteArray left = Cp1250::upperAscii(Cp1250::encode(a));
    const QByteArray right = Cp1250::upperAscii(Cp1250::encode(b));
    // Unsigned, so that the letters above 127 ("Ą", "ł", ...) follow every ASCII letter.
    return std::lexicographical_compare(
        left.cbegin(), left.cend(), right.cbegin(), right.cend(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
}
