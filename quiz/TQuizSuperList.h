#pragma once

#include "LcgRandom.h"
#include "TQuizRecord.h"

#include <QString>

#include <vector>

class TPSSDirectory;

// The question pool: every question of the quiz with its difficulty, epoch and used flag, the
// difficulties and epochs the quiz panel selects, and the draw of the next question.
class TQuizSuperList
{
public:
    static const QString Category;

    // Seeds the generator from the clock; the sets start empty, so nothing is available.
    explicit TQuizSuperList(LcgRandom &random = LcgRandom::program());

    TQuizSuperList(const TQuizSuperList &) = delete;
    TQuizSuperList &operator=(const TQuizSuperList &) = delete;

    // Bit k: difficulty k (bits 0..2 used).
    quint8 DifficultySet() const { return m_difficultySet; }
    void SetDifficultySet(quint8 set) { m_difficultySet = set; }
    // Bit k: epoch number k + 1 (bits 0..8 used).
    quint16 EpochSet() const { return m_epochSet; }
    void SetEpochSet(quint16 set) { m_epochSet = set; }

    // Reads the pool from the directory the first time; once it holds questions, only makes
    // them all available again, without reading the container.
    void Load(TPSSDirectory &directory);
    void Clear();
    // Every question available again (a quiz has ended).
    void ClearUsed();

    bool IsEligible(const TQuizRecord &record) const;
    int CountAvailable() const;
    // Marks one eligible question, drawn at random, as used and returns its number. When
    // CountAvailable() is 0 nothing more can be drawn, and the result is the empty string.
    QString DrawQuestion();

    int Count() const { return int(m_records.size()); }
    const TQuizRecord &At(int index) const { return m_records.at(size_t(index)); }

private:
    LcgRandom &m_random;
    std::vector<TQuizRecord> m_records;
    quint8 m_difficultySet = 0;
    quint16 m_epochSet = 0;
};
