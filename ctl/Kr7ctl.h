#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of kr7ctl.
constexpr int EXIT_DONE = 0;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_PORT = 3;
constexpr int EXIT_FILE = 4;
constexpr int EXIT_LOGO_TOO_BIG = 5;
constexpr int EXIT_INTERRUPTED = 130;

// The whole of kr7ctl: args without the program name; frames of a dry run and
// listings go to out, errors and progress to err. Returns the exit status.
int Kr7ctlMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
