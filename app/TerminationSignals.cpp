#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_sockets[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int)
{
    // Only what is safe in a signal handler: one byte down the pipe.
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_sockets) != 0)
        return;
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_sockets[1], &byte, 1);
        Q_EMIT received();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(Signals); ++i)
        sigaction(Signals[i], &action, &m_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (m_notifier) {
        for (size_t i = 0; i < std::size(Signals); ++i)
            sigaction(Signals[i], &m_previous[i], nullptr);
    }
    delete m_notifier;
    for (int &socket : g_sockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}
