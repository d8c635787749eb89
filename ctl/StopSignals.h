#pragma once

// SIGINT and SIGTERM as events: while this object lives they are blocked and
// read from a signalfd, so a stop request ends the work between two device
// commands, never inside one.
class TStopSignals {
public:
    TStopSignals();
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    bool Ready() const { return fd_ >= 0; }
    // Runs the application's event loop until a stop signal; returns its number.
    int RunUntilStopped();
    // The stop signal received so far (0 for none), without waiting.
    int Stopped();
    // Waits up to milliseconds for a stop signal; returns Stopped().
    int WaitFor(int milliseconds);

private:
    // Takes a pending signal from the descriptor, if any.
    void Take();

    int fd_ = -1;
    int stopped_ = 0;
};
