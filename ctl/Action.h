#pragma once

#include "Failure.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

class TKR7;

// Everything an action needs while it runs.
struct TContext {
    TKR7& device;
    std::ostream& out;
    std::ostream& err;
};

// One action of the command line with its options. Prepare reads the files
// the action needs before anything is sent; Run sends.
class TAction {
public:
    virtual ~TAction() = default;
    virtual std::optional<TFailure> Prepare() { return std::nullopt; }
    virtual std::optional<TFailure> Run(TContext& context) = 0;
};

using TActionPtr = std::unique_ptr<TAction>;

// An action that only sends: the frames send writes through the device.
TActionPtr DeviceAction(std::function<void(TKR7&)> send);
