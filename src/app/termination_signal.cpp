#include "app/termination_signal.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace fq {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_signalSockets[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(g_signalSockets[0], &byte, 1);
}

} // namespace

TerminationSignal::TerminationSignal(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignal::drain);

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        // Started with `nohup`, a closed terminal goes on being ignored.
        struct sigaction inherited {};
        if (signal != SIGHUP ||
            (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)) {
            ::sigaction(signal, &action, nullptr);
        }
    }
}

TerminationSignal::~TerminationSignal() {
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 &&
            current.sa_handler == OnTerminationSignal) {
            ::signal(signal, SIG_DFL);
        }
    }
    for (int& socket : g_signalSockets) {
        if (socket >= 0) {
            ::close(socket);
            socket = -1;
        }
    }
}

void TerminationSignal::drain() {
    char byte = 0;
    if (::read(g_signalSockets[1], &byte, 1) == 1) {
        emit received();
    }
}

} // namespace fq
