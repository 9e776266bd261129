#pragma once

#include "Cp1250.h"

#include <QByteArray>
#include <QString>

#include <array>

// One record of the item index: the global identifier and the (category, number) pair of an
// entry, held as the upper-cased Windows-1250 bytes of the stored record.
class TItemInfo
{
public:
    static constexpr int UnidWidth = 32;
    static constexpr int TypWidth = 10;
    static constexpr int NumerWidth = 10;
    static constexpr int RecordSize = 1 + UnidWidth + 1 + TypWidth + 1 + NumerWidth;

    TItemInfo() = default;
    // Reads a stored 55-byte record (length-prefixed strings of fixed width); a length
    // beyond a field's width is cut to it, and ASCII letters are upper-cased.
    static TItemInfo fromRecord(const char *record);

    QByteArrayView unidBytes() const { return {m_unid.data(), m_lengths[0]}; }
    QByteArrayView typBytes() const { return {m_typ.data(), m_lengths[1]}; }
    QByteArrayView numerBytes() const { return {m_numer.data(), m_lengths[2]}; }

    QString Unid() const { return Cp1250::decode(unidBytes()); }
    QString Typ() const { return Cp1250::decode(typBytes()); }
    QString Numer() const { return Cp1250::decode(numerBytes()); }

private:
    std::array<char, UnidWidth> m_unid{};
    std::array<char, TypWidth> m_typ{};
    std::array<char, NumerWidth> m_numer{};
    std::array<unsigned char, 3> m_lengths{};
};
