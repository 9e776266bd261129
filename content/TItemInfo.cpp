#include "TItemInfo.h"

#include <algorithm>

namespace {

unsigned char readField(const char *field, int width, char *out)
{
    const int length = std::min(int(static_cast<unsigned char>(field[0])), width);
    std::transform(field + 1, field + 1 + length, out,
                   [](char c) { return Cp1250::upperAscii(c); });
    return static_cast<unsigned char>(length);
}

} // namespace

TItemInfo TItemInfo::fromRecord(const char *record)
{
    TItemInfo item;
    item.m_lengths[0] = readField(record, UnidWidth, item.m_unid.data());
    item.m_lengths[1] = readField(record + 1 + UnidWidth, TypWidth, item.m_typ.data());
    item.m_lengths[2] =
        readField(record + 2 + UnidWidth + TypWidth, NumerWidth, item.m_numer.data());
    return item;
}
