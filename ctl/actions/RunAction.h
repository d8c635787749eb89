#pragma once

#include "Plan.h"

#include <ostream>

// run: the ticker and the pages of the settings file until a stop signal.
// SIGINT is an interruption (130), SIGTERM the service manager's ordinary
// stop (0). Returns the exit status.
int RunText(const TPlan& plan, std::ostream& err);
