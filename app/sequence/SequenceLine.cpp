#include "sequence/SequenceLine.h"

#include "COMSocket.h"

#include <algorithm>

TSequenceLine::TSequenceLine(TLineClock* inner) : inner_(inner != nullptr ? inner : &ownClock_) {}

TLineClock::TTime TSequenceLine::Now() {
    return inner_->Now();
}

int TSequenceLine::DriverQueued(int fd) {
    return inner_->DriverQueued(fd);
}

// A closed port, a device gone among them, has nothing left to carry.
std::size_t TSequenceLine::InFlight() {
    return port_ != nullptr && port_->IsOpen() ? port_->InFlight() : 0;
}

std::uint64_t TSequenceLine::Written() const {
    return port_ != nullptr ? port_->BytesWritten() : 0;
}

std::uint64_t TSequenceLine::Carried() {
    if (port_ == nullptr)
        return UINT64_MAX;
    const std::uint64_t written = port_->BytesWritten();
    return written - std::min<std::uint64_t>(written, InFlight());
}

bool TSequenceLine::PortOpen() const {
    return port_ != nullptr && port_->IsOpen();
}

TLineWaiter* TSequenceLine::SetActive(TLineWaiter* sequence) {
    TLineWaiter* previous = active_;
    active_ = sequence;
    return previous;
}

void TSequenceLine::WaitUntil(TTime when) {
    if (active_ == nullptr) {
        inner_->WaitUntil(when);
        return;
    }
    for (;;) {
        active_->HandleEvents();
        const TTime now = inner_->Now();
        if (now >= when)
            return;
        inner_->WaitUntil(std::min<TTime>(when, now + SLICE));
    }
}
