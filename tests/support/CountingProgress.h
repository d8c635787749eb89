#pragma once

// A progress indicator that counts what the long device sequences tell it,
// and asks them to stop once cancelAfter steps are done (never when -1).
#include "Progress.h"

struct TCountingProgress : TProgress {
    TCountingProgress() = default;
    explicit TCountingProgress(int cancelAfterSteps) : cancelAfter(cancelAfterSteps) {}
    void SetMax(int m) override { max = m; }
    void Step() override { ++steps; }
    bool Cancelled() const override { return cancelAfter >= 0 && steps >= cancelAfter; }

    int max = -1;
    int steps = 0;
    int cancelAfter = -1;
};
