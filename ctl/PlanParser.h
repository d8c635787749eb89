#pragma once

#include "Plan.h"

#include <string>
#include <vector>

// A command line read into a plan, or the reason it cannot be followed.
struct TParsedPlan {
    TPlan plan;
    std::string usageError; // empty when the command line is sound
};

// Reads the words after the program name. Reads no file: the actions read
// theirs in TAction::Prepare.
TParsedPlan ParsePlan(const std::vector<std::string>& words);
