#pragma once

#include <QObject>

class QAbstractButton;
class QTimer;
class QWidget;

// The auto-repeat of the strip's two scroll buttons: a press moves one step at once, holding
// the button repeats after 500 ms and then every 125 ms. Releasing the button, leaving it or
// dragging onto anything but it stops the repeat. The timer is given from outside; tests
// step time by running its tick themselves.
class TAutoRepeat : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstDelay = 500;
    static constexpr int RepeatDelay = 125;

    // `area` is the part of the window that holds the buttons; the tag of each button tells
    // its direction: -1 forward, 1 back.
    TAutoRepeat(QTimer *timer, QWidget *area, QObject *parent = nullptr);

    void AddButton(QAbstractButton *button, int tag);

    // The timer's tag: the direction it repeats, 0 when stopped.
    int Tag() const { return m_tag; }
    void KalendariumTimerTimer();

Q_SIGNALS:
    void Forward();
    void Back();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void mouseDown(QObject *button);
    void mouseMove(QObject *button, const QEvent *event);
    void stop();
    void step();

    QTimer *m_timer;
    QWidget *m_area;
    int m_tag = 0;
};
