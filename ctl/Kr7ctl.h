#pragma once

#include "ExitStatus.h"

#include <ostream>
#include <string>
#include <vector>

// The whole of kr7ctl: args without the program name; frames of a dry run and
// listings go to out, errors and progress to err. Returns the exit status.
int Kr7ctlMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
