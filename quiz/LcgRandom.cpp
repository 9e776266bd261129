#include "LcgRandom.h"

#include <QDateTime>

LcgRandom &LcgRandom::program()
{
    static LcgRandom instance;
    return instance;
}

void LcgRandom::Randomize()
{
    Seed(SeedFor(QDateTime::currentDateTimeUtc().time()));
}

quint32 LcgRandom::Draw(quint32 n)
{
    m_state = m_state * 134775813u + 1u; // unsigned arithmetic wraps modulo 2^32
    return quint32((quint64(m_state) * n) >> 32);
}

quint32 LcgRandom::SeedFor(QTime utcTimeOfDay)
{
    return quint32(utcTimeOfDay.msecsSinceStartOfDay());
}
