#include "shell/CloseOnSignals.h"

#include "shell/Kr7unit1.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> CLOSING_SIGNALS = {SIGINT, SIGTERM, SIGHUP};

// The pair the handler writes to; one window listens at a time.
int signalPair[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPair[1], &byte, 1);
}

} // namespace

TCloseOnSignals::TCloseOnSignals(TFormKR7& form) : form_(form) {
    if (signalPair[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPair) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPair[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TCloseOnSignals::Arrived);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < CLOSING_SIGNALS.size(); ++i)
        sigaction(CLOSING_SIGNALS[i], &action, &previous_[i]);
}

TCloseOnSignals::~TCloseOnSignals() {
    if (notifier_ == nullptr)
        return;
    for (std::size_t i = 0; i < CLOSING_SIGNALS.size(); ++i)
        sigaction(CLOSING_SIGNALS[i], &previous_[i], nullptr);
}

void TCloseOnSignals::Arrived() {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = ::read(signalPair[0], &byte, 1);
    form_.ForceClose();
}
