#pragma once

#include <chrono>

// Time as the serial line sees it: the clock that paces writes to the line's
// rate, the wait before a write, and what the driver still holds. The port
// uses the steady clock; tests give it one that moves only when waited on.
class TLineClock {
public:
    using TTime = std::chrono::steady_clock::time_point;

    virtual ~TLineClock() = default;
    virtual TTime Now();
    virtual void WaitUntil(TTime when);
    // Bytes the driver reports still queued for sending on fd (TIOCOUTQ);
    // 0 when it cannot tell, as pseudo-terminals do.
    virtual int DriverQueued(int fd);
};
