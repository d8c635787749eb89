#pragma once

#include "LineClock.h"

#include <chrono>
#include <functional>

// A line clock that moves only when the port waits on it, so paced writes
// finish at once while the port still computes every wait. driverQueued, when
// set, stands in for what the driver reports (TIOCOUTQ) at a given time.
class TFakeLineClock : public TLineClock {
public:
    TTime Now() override { return now; }
    void WaitUntil(TTime when) override {
        ++waits;
        if (when <= now)
            return;
        waited += when - now;
        now = when;
    }
    int DriverQueued(int) override { return driverQueued ? driverQueued(now) : 0; }

    // Seconds waited in all.
    double WaitedSeconds() const { return std::chrono::duration<double>(waited).count(); }

    TTime now{std::chrono::seconds(1000)};
    std::chrono::nanoseconds waited{0};
    int waits = 0;
    std::function<int(TTime)> driverQueued;
};
