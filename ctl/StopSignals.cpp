#include "StopSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <poll.h>
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

void TStopSignals::Take() {
    signalfd_siginfo info{};
    if (fd_ < 0 || read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
        return;
    if (stopped_ == 0)
        stopped_ = static_cast<int>(info.ssi_signo);
}

int TStopSignals::RunUntilStopped() {
    QSocketNotifier notifier(fd_, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &notifier, [this] {
        Take();
        if (stopped_ != 0)
            QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    return stopped_;
}

int TStopSignals::Stopped() {
    if (stopped_ == 0)
        Take();
    return stopped_;
}

int TStopSignals::WaitFor(int milliseconds) {
    if (Stopped() != 0)
        return stopped_;
    if (fd_ < 0) {
        usleep(static_cast<useconds_t>(milliseconds) * 1000);
        return 0;
    }
    pollfd watched{fd_, POLLIN, 0};
    if (poll(&watched, 1, milliseconds) > 0)
        Take();
    return stopped_;
}
