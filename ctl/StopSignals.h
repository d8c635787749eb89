#pragma once

// SIGINT and SIGTERM as events of the Qt event loop: while this object lives
// they are blocked and read from a signalfd, so a stop request ends the loop
// between two writes, never inside one.
class TStopSignals {
public:
    TStopSignals();
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    bool Ready() const { return fd_ >= 0; }
    // Runs the application's event loop until a stop signal; returns its number.
    int RunUntilStopped();

private:
    int fd_ = -1;
};
