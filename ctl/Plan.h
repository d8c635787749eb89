#pragma once

#include "Action.h"

#include <optional>
#include <string>
#include <vector>

// The options that apply to the whole command line.
struct TGlobalOptions {
    std::string port;
    std::string settings;
    std::string outFile;
    bool dryRun = false;
    bool quiet = false; // no reports, remarks, progress or log lines; errors only
    bool help = false;
    bool version = false;
};

// Everything the command line asks for: the global options and the actions
// in the order given. A ports listing and the text run are kinds of their own.
struct TPlan {
    TGlobalOptions options;
    bool run = false;
    std::optional<bool> portsJson; // a ports listing, and its form
    std::vector<TActionPtr> actions;
};
