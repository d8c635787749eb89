#pragma once

#include "PortResults.h"

#include <string>
#include <vector>

// The kind of open failure an errno of open, ioctl, flock or tcgetattr stands for.
TOpenError OpenErrorOf(int errorNumber);

// A failed open with its line for the user. errorNumber adds the system's
// words where the kind alone says too little (TOpenError::Failed).
TOpenResult OpenFailure(TOpenError error, const std::string& device, int errorNumber = 0);

// The group that owns device ("dialout"), empty when it cannot be read.
std::string DeviceGroup(const std::string& device);

// The programs that hold device open, as "name (PID n)", from procRoot/<pid>/fd.
std::vector<std::string> PortHolders(const std::string& device, const std::string& procRoot = "/proc");
