#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One link of a relation field: the linked entry's category code and number.
struct TLinkRecord
{
    QString Numer;
    QString Typ;
};

// The links of one relation field ("12;34"), in the order of the value.
class TLinkList
{
public:
    void Clear() { m_links.clear(); }
    // Replaces the contents with the links parsed from the value; returns the link count.
    int LoadFromValue(const QString &typ, QString value);
    // False (and the results untouched) when the index is not below the count.
    bool GetLink(int index, QString &typ, QString &numer) const;
    int Count() const { return int(m_links.size()); }

private:
    std::vector<TLinkRecord> m_links;
};

// Deletes every blank (character 32).
void RemoveSpaces(QString &text);
// Deletes everything up to and including the first ";", or everything when there is none.
void DropFirstItem(QString &text);
// The order of menu captions: upper-cased (ASCII letters only), then compared byte by byte as
// Windows-1250, a prefix first. Sorting with it stably keeps equal captions in their order.
bool CaptionLess(const QString &a, const QString &b);
