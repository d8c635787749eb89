#pragma once

#include "LineClock.h"

#include <cstddef>
#include <cstdint>

class TCOMSocket;

// What runs during the line's waits while a long sequence is active: the
// handling of the events that have arrived meanwhile.
class TLineWaiter {
public:
    virtual void HandleEvents() = 0;

protected:
    ~TLineWaiter() = default;
};

// The window's view of the serial line's clock: it passes everything to the
// real clock (or the one tests give), and while a long sequence runs it
// keeps the window alive during the line's waits, letting the sequence
// handle the events that arrive meanwhile in slices of at most SLICE. It
// also tells the sequence how far the port's line has got and whether the
// port is still open (a device gone closes it).
class TSequenceLine : public TLineClock {
public:
    static constexpr std::chrono::milliseconds SLICE{50};

    // inner: null for the steady clock; otherwise it must outlive this one.
    explicit TSequenceLine(TLineClock* inner);

    TTime Now() override;
    void WaitUntil(TTime when) override;
    int DriverQueued(int fd) override;

    // The port written through this line (null: none, as if the line
    // carried every byte at once); it must outlive this one.
    void SetPort(TCOMSocket* port) { port_ = port; }
    // Bytes the line still has to carry, those written to it and those it
    // has carried, in all.
    std::size_t InFlight();
    std::uint64_t Written() const;
    std::uint64_t Carried();
    bool PortOpen() const;

    // The sequence whose events are handled during the waits (null: none);
    // returns the one before it.
    TLineWaiter* SetActive(TLineWaiter* sequence);

private:
    TLineClock ownClock_;
    TLineClock* inner_;
    TLineWaiter* active_ = nullptr;
    TCOMSocket* port_ = nullptr;
};
