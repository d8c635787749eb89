#pragma once

#include "Failure.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

class TKR7;
class TStopSignals;

// Everything an action needs while it runs.
struct TContext {
    TKR7& device;
    std::ostream& report; // one-line reports: stdout, stderr in a dry run, nowhere when quiet
    std::ostream& notes;  // remarks and progress: stderr, nowhere when quiet
    bool progressShown = false;
    TStopSignals* stops = nullptr;       // watched while a port is driven
    std::function<void(int)> pause = {}; // waits seconds after what was sent has gone out
};

// One action of the command line with its options. Prepare reads the files
// the action needs before anything is sent; Run sends.
class TAction {
public:
    virtual ~TAction() = default;
    virtual std::optional<TFailure> Prepare() { return std::nullopt; }
    virtual std::optional<TFailure> Run(TContext& context) = 0;
    // False for an action that only reads and reports (a logo preview).
    virtual bool Sends() const { return true; }
};

using TActionPtr = std::unique_ptr<TAction>;

// An action that only sends: the frames send writes through the device.
TActionPtr DeviceAction(std::function<void(TKR7&)> send);
