#pragma once

#include <ostream>
#include <string>

// A failure with its exit status and its one-line message.
struct TFailure {
    int status = 0;
    std::string message;
};

// Writes "kr7ctl: MESSAGE" to err and returns the failure's exit status.
int Fail(std::ostream& err, const TFailure& failure);
