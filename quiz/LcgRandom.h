#pragma once

#include <QTime>
#include <QtGlobal>

// The program's one pseudo-random generator: a 32-bit linear congruential generator, shared by
// the quiz and the quote of the day. Each draw advances the state and scales it to the range.
class LcgRandom
{
public:
    explicit LcgRandom(quint32 seed = 0) : m_state(seed) {}

    // The instance the whole program shares.
    static LcgRandom &program();

    // Seeds from the milliseconds since midnight of the current UTC time of day.
    void Randomize();
    void Seed(quint32 seed) { m_state = seed; }
    quint32 State() const { return m_state; }

    // A number in 0..n-1 (0 when n is 0): the upper 32 bits of the new state times n.
    quint32 Draw(quint32 n);

    static quint32 SeedFor(QTime utcTimeOfDay);

private:
    quint32 m_state;
};
