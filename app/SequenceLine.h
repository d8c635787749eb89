#pragma once

#include "LineClock.h"

class TLongSequence;

// The window's view of the serial line's clock: it passes everything to the
// real clock (or the one tests give), and while a long sequence runs it
// keeps the window alive during the line's waits, letting the sequence
// handle the events that arrive meanwhile in slices of at most SLICE.
class TSequenceLine : public TLineClock {
public:
    static constexpr std::chrono::milliseconds SLICE{50};

    // inner: null for the steady clock; otherwise it must outlive this one.
    explicit TSequenceLine(TLineClock* inner);

    TTime Now() override;
    void WaitUntil(TTime when) override;
    int DriverQueued(int fd) override;

    // The sequence whose events are handled during the waits (null: none);
    // returns the one before it.
    TLongSequence* SetActive(TLongSequence* sequence);

private:
    TLineClock ownClock_;
    TLineClock* inner_;
    TLongSequence* active_ = nullptr;
};
