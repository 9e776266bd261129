#include "QuizCountdown.h"

#include <chrono>

namespace {

quint32 msecsSinceBoot()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

QuizCountdown::QuizCountdown(TickSource ticks, QObject *parent)
    : QObject(parent), m_ticks(ticks ? std::move(ticks) : TickSource(msecsSinceBoot))
{
    m_timer.setInterval(Interval);
    connect(&m_timer, &QTimer::timeout, this, &QuizCountdown::Timer1Timer);
}

void QuizCountdown::Restart()
{
    m_lastTick = m_ticks();
    m_timer.start();
}

void QuizCountdown::Stop()
{
    m_timer.stop();
}

void QuizCountdown::Timer1Timer()
{
    const quint32 now = m_ticks();
    // Measured as a difference, so the 32-bit count wrapping after 49 days does not stall it.
    if (quint32(now - m_lastTick) > 1000) {
        m_lastTick = now;
        Q_EMIT Step();
    }
}
