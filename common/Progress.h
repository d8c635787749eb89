#pragma once

// A progress indicator as the long device sequences see it. The window adapts
// its progress bars to this; tests count the calls.
struct TProgress {
    virtual ~TProgress() = default;
    virtual void SetMax(int max) = 0;
    virtual void Step() = 0;
};
