#include "SequenceLine.h"

#include "LongSequence.h"

#include <algorithm>

TSequenceLine::TSequenceLine(TLineClock* inner) : inner_(inner != nullptr ? inner : &ownClock_) {}

TLineClock::TTime TSequenceLine::Now() {
    return inner_->Now();
}

int TSequenceLine::DriverQueued(int fd) {
    return inner_->DriverQueued(fd);
}

TLongSequence* TSequenceLine::SetActive(TLongSequence* sequence) {
    TLongSequence* previous = active_;
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
