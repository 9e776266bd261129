#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// The quiz's clock: a 250 ms timer that steps once more than a second has passed since the
// last step (or since the question was shown), so a step comes every 1000 to 1250 ms. The
// millisecond tick count comes from outside, so tests step time instead of waiting.
class QuizCountdown : public QObject
{
    Q_OBJECT

public:
    using TickSource = std::function<quint32()>;
    static constexpr int Interval = 250;

    // Without a source the tick count is the milliseconds since boot.
    explicit QuizCountdown(TickSource ticks = {}, QObject *parent = nullptr);

    // Counts from now: the last step is now and the timer runs.
    void Restart();
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }
    quint32 LastTick() const { return m_lastTick; }

    // One timer event; public so tests can run one at a chosen tick count.
    void Timer1Timer();

Q_SIGNALS:
    // A second has passed.
    void Step();

private:
    TickSource m_ticks;
    QTimer m_timer;
    quint32 m_lastTick = 0;
};
