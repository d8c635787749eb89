#pragma once

#include "Action.h"
#include "Progress.h"

#include <ostream>

// A progress bar on the context's notes while it is shown, cancelled by a
// stop signal between two device commands.
class TTerminalProgress : public TProgress {
public:
    explicit TTerminalProgress(TContext& context)
        : notes_(context.notes), shown_(context.progressShown), stops_(context.stops) {}
    ~TTerminalProgress() override;
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;
    void SetMax(int max) override { max_ = max; }
    void Step() override;
    bool Cancelled() const override;

private:
    std::ostream& notes_;
    bool shown_ = false;
    TStopSignals* stops_ = nullptr;
    int max_ = 0;
    int done_ = 0;
};

// True when err is the process's stderr and that is a terminal.
bool ProgressShown(const std::ostream& err);
