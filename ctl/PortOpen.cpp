#include "PortOpen.h"

#include "COMSocket.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Holders(const std::vector<TPortHolder>& holders) {
    std::string text;
    for (const TPortHolder& holder : holders)
        text += (text.empty() ? "" : ", ") + holder.name + " (PID " + std::to_string(holder.pid) + ")";
    return text;
}

// Joining the device's group helps only when the group may read and write it.
std::string PermissionText(const TOpenResult& result, const std::string& device) {
    if (result.groupMayReadWrite && !result.group.empty() && result.group != "root")
        return "permission denied on " + device + " (join its group " + result.group + ": sudo usermod -aG " +
               result.group + " $USER, then log in again)";
    return "permission denied on " + device +
           " (the device is not open to its group; ask an administrator for a udev rule that gives the dialout "
           "group read and write access, as the README shows)";
}

} // namespace

std::string OpenFailureText(const TOpenResult& result) {
    const std::string device = result.device.empty() ? "the device" : result.device;
    switch (result.error) {
    case TOpenError::None:
        return {};
    case TOpenError::NoSuchDevice:
        return result.device.empty() ? "no device behind this name" : result.device + " does not exist";
    case TOpenError::PermissionDenied:
        return PermissionText(result, device);
    case TOpenError::Busy:
        if (result.holders.empty())
            return "the port is in use by another program";
        return "the port is in use by another program: " + Holders(result.holders);
    case TOpenError::NotSerial:
        return device + " is not a serial line";
    case TOpenError::Failed:
        break;
    }
    if (result.errorNumber != 0)
        return "the system refused to open " + device + " (" + std::strerror(result.errorNumber) + ")";
    return "the system refused to open " + device;
}

std::string OpenDisplayPort(TCOMSocket& port, const std::string& name) {
    const std::string prefix = "cannot open port " + name + ": ";
    if (!port.SelectPort(name))
        return prefix + "not a port name (COM1, COM2, ...)";
    port.SetBaudRate(2400);
    port.SetQueueSizes(1024, 1024);
    const TOpenResult opened = port.Open();
    return opened ? std::string() : prefix + OpenFailureText(opened);
}
