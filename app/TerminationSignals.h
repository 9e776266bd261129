#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a signal of the event loop, so a program stopped
// from outside still goes down in its own order. The handlers in place before are put back
// when the object goes.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous[3] = {}; // one for each of the three signals
};
