#include "LineClock.h"

#include <sys/ioctl.h>

#include <thread>

TLineClock::TTime TLineClock::Now() {
    return std::chrono::steady_clock::now();
}

void TLineClock::WaitUntil(TTime when) {
    std::this_thread::sleep_until(when);
}

int TLineClock::DriverQueued(int fd) {
    int queued = 0;
    if (::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued < 0)
        return 0;
    return queued;
}
