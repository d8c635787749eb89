#include "TerminalProgress.h"

#include "StopSignals.h"

#include <unistd.h>

#include <iostream>
#include <string>

TTerminalProgress::~TTerminalProgress() {
    if (shown_ && max_ > 0)
        notes_ << "\n";
}

void TTerminalProgress::Step() {
    ++done_;
    if (!shown_ || max_ <= 0)
        return;
    const int width = 40;
    const int filled = done_ * width / max_;
    notes_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
           << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << done_ << "/" << max_ << std::flush;
}

bool TTerminalProgress::Cancelled() const {
    return stops_ != nullptr && stops_->Stopped() != 0;
}

bool ProgressShown(const std::ostream& err) {
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}
