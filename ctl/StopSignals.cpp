#include "StopSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>

namespace {

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

TStopSignals::TStopSignals() {
    const sigset_t set = StopSet();
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0)
        return;
    fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

TStopSignals::~TStopSignals() {
    if (fd_ >= 0)
        close(fd_);
    const sigset_t set = StopSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

int TStopSignals::RunUntilStopped() {
    int stopped = 0;
    QSocketNotifier notifier(fd_, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &notifier, [this, &stopped] {
        signalfd_siginfo info{};
        if (read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
            return;
        stopped = static_cast<int>(info.ssi_signo);
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    return stopped;
}
