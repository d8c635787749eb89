#include "LogoHistory.h"

namespace {

bool SameStep(TLogoSettings a, const TLogoSettings& b) {
    a.grid = b.grid;
    return a == b;
}

// to with the grid of now.
TLogoSettings WithGrid(TLogoSettings to, const TLogoSettings& now) {
    to.grid = now.grid;
    return to;
}

} // namespace

void TLogoHistory::Reset(const TLogoSettings& now) {
    base_ = now;
    undo_.clear();
    redo_.clear();
}

void TLogoHistory::Record(const TLogoSettings& now) {
    if (SameStep(now, base_))
        return;
    undo_.push_back(base_);
    if (undo_.size() > MAX_STEPS)
        undo_.pop_front();
    redo_.clear();
    base_ = now;
}

std::optional<TLogoSettings> TLogoHistory::Undo(const TLogoSettings& now) {
    Record(now);
    if (undo_.empty())
        return std::nullopt;
    redo_.push_back(now);
    base_ = WithGrid(undo_.back(), now);
    undo_.pop_back();
    return base_;
}

std::optional<TLogoSettings> TLogoHistory::Redo(const TLogoSettings& now) {
    Record(now);
    if (redo_.empty())
        return std::nullopt;
    undo_.push_back(now);
    base_ = WithGrid(redo_.back(), now);
    redo_.pop_back();
    return base_;
}
