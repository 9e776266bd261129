#include "TFormList.h"

#include <algorithm>

TFormRecord *TFormList::Add(int kind, const QString &typ, const QString &numer)
{
    m_records.push_back(std::make_unique<TFormRecord>(TFormRecord{kind, typ, numer}));
    return m_records.back().get();
}

bool TFormList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return false;
    m_records.erase(m_records.begin() + index);
    return true;
}

bool TFormList::GetAt(int index, TFormRecord &record) const
{
    if (index < 0 || index >= Count())
        return false;
    record = *m_records[size_t(index)];
    return true;
}

void TFormList::DeleteKind(int kind)
{
    std::erase_if(m_records, [kind](const auto &r) { return kind == 0 || r->Kind == kind; });
}

void TFormList::DeletePair(const QString &typ, const QString &numer)
{
    std::erase_if(m_records, [&](const auto &r) { return r->Typ == typ && r->Numer == numer; });
}
