#pragma once

#include "LogoSettings.h"

#include <cstddef>
#include <deque>
#include <optional>

// Undo and redo of the logo's settings, one snapshot a step. The grid is a
// view aid, not part of a step: undo and redo keep it as it is.
class TLogoHistory {
public:
    static constexpr std::size_t MAX_STEPS = 1000;

    // Forgets every step; now is where the next step starts from.
    void Reset(const TLogoSettings& now);
    // Closes a step that ends at now, when now differs from where it began.
    void Record(const TLogoSettings& now);
    // The settings one step back (forward) from now, or none at the end.
    std::optional<TLogoSettings> Undo(const TLogoSettings& now);
    std::optional<TLogoSettings> Redo(const TLogoSettings& now);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }

private:
    TLogoSettings base_;
    std::deque<TLogoSettings> undo_;
    std::deque<TLogoSettings> redo_;
};
