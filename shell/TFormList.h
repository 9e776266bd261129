#pragma once

#include <QString>

#include <memory>
#include <vector>

// One (kind, category, number) record. The main window stores kind 0; the Index stores the
// number of the list a row belongs to.
struct TFormRecord
{
    int Kind = 0;
    QString Typ;
    QString Numer;
};

// An owning, ordered list of records; new ones go to the end, so the first is the oldest.
class TFormList
{
public:
    // The record stays owned by the list, which keeps it at a fixed address.
    TFormRecord *Add(int kind, const QString &typ, const QString &numer);
    bool Delete(int index);
    bool GetAt(int index, TFormRecord &record) const;
    // Kind 0 removes every record.
    void DeleteKind(int kind);
    int Count() const { return int(m_records.size()); }

    // Removes every record naming that pair.
    void DeletePair(const QString &typ, const QString &numer);

private:
    std::vector<std::unique_ptr<TFormRecord>> m_records;
};
