#pragma once

#include "PortResults.h"

#include <string>
#include <vector>

// The kind of open failure an errno of open, ioctl, flock or tcgetattr stands for.
TOpenError OpenErrorOf(int errorNumber);

// A failed open with its facts: the group of the device and its access for
// a permission failure, the holders of a busy port.
TOpenResult OpenFailure(TOpenError error, const std::string& device, int errorNumber = 0);

// The group that owns device ("dialout"), empty when it cannot be read.
std::string DeviceGroup(const std::string& device);
// Whether the group bits of device give its group read and write access.
bool GroupMayReadWrite(const std::string& device);

// The programs that hold device open, from procRoot/<pid>/fd.
std::vector<TPortHolder> PortHolders(const std::string& device, const std::string& procRoot = "/proc");
