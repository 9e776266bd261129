#include "TQuizSuperList.h"

#include "CategoryTable.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <array>

const QString TQuizSuperList::Category = CategoryTable::Quiz;

namespace {

quint8 difficultyOf(const QString &value)
{
    // Whole words, letter case included: "łatwe" or "Łatwe " is none of them.
    static const std::array<QString, 3> words = {QStringLiteral("Łatwe"), QStringLiteral("Średnie"),
                                                 QStringLiteral("Trudne")};
    for (size_t i = 0; i < words.size(); ++i) {
        if (value == words[i])
            return quint8(i);
    }
    return TQuizRecord::NoDifficulty;
}

quint8 epochOf(const QString &value)
{
    bool ok = false;
    int number = value.toInt(&ok, 10);
    if (!ok)
        number = 1;            // missing or not a number: the first epoch
    return quint8(number - 1); // "0" wraps to 255, which no epoch bit admits
}

} // namespace

TQuizSuperList::TQuizSuperList(LcgRandom &random) : m_random(random)
{
    m_random.Randomize();
}

void TQuizSuperList::Load(TPSSDirectory &directory)
{
    if (!m_records.empty()) {
        ClearUsed();
        return;
    }
    Clear();
    for (const QString &numer : directory.ListNumbers(Category)) {
        QStringList fields;
        if (!directory.ReadFields(Category, numer, fields))
            continue;
        TQuizRecord record;
        record.Difficulty = difficultyOf(TextLines::fieldValue(fields, u"Trudność"));
        record.Epoch = epochOf(TextLines::fieldValue(fields, u"Kategoria"));
        record.Numer = numer;
        m_records.push_back(std::move(record));
    }
}

void TQuizSuperList::Clear()
{
    m_records.clear();
}

void TQuizSuperList::ClearUsed()
{
    for (TQuizRecord &record : m_records)
        record.Used = false;
}

bool TQuizSuperList::IsEligible(const TQuizRecord &record) const
{
    return record.Difficulty <= 7 && (m_difficultySet >> record.Difficulty & 1) &&
           record.Epoch <= 15 && (m_epochSet >> record.Epoch & 1) && !record.Used;
}

int TQuizSuperList::CountAvailable() const
{
    int count = 0;
    for (const TQuizRecord &record : m_records)
        count += IsEligible(record) ? 1 : 0;
    return count;
}

QString TQuizSuperList::DrawQuestion()
{
    const int available = CountAvailable();
    if (available < 1)
        return QString();
    int r = int(m_random.Draw(quint32(available)));
    for (TQuizRecord &record : m_records) {
        if (IsEligible(record) && r-- == 0) {
            record.Used = true;
            return record.Numer;
        }
    }
    return QString();
}
