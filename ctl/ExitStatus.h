#pragma once

// Exit statuses of kr7ctl.
constexpr int EXIT_DONE = 0;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_PORT = 3;
constexpr int EXIT_FILE = 4;
constexpr int EXIT_LOGO_TOO_BIG = 5;
constexpr int EXIT_INTERRUPTED = 130;
