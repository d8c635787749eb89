#pragma once

// A progress indicator as the long device sequences see it. The window adapts
// its progress bars to this; tests count the calls. The sequences ask
// Cancelled between two device commands, never inside one, and stop when it
// says so.
struct TProgress {
    virtual ~TProgress() = default;
    virtual void SetMax(int max) = 0;
    virtual void Step() = 0;
    virtual bool Cancelled() const { return false; }
};
