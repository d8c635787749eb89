#pragma once

#include "Progress.h"

#include <ostream>

// A progress bar on err while shown (see ProgressShown).
class TTerminalProgress : public TProgress {
public:
    TTerminalProgress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TTerminalProgress() override;
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;
    void SetMax(int max) override { max_ = max; }
    void Step() override;

private:
    std::ostream& err_;
    bool shown_ = false;
    int max_ = 0;
    int done_ = 0;
};

// True when err is the process's stderr and that is a terminal.
bool ProgressShown(const std::ostream& err);
