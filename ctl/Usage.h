#pragma once

// The text of kr7ctl --help: every action with an example, the options and
// the exit statuses.
extern const char* const USAGE;
