#include "PortOpen.h"

#include "COMSocket.h"
#include "OpenFailure.h"

std::string OpenFailureText(const TOpenResult& result) {
    const std::string device = result.device.empty() ? "the device" : result.device;
    switch (result.error) {
    case TOpenError::None:
        return {};
    case TOpenError::NoSuchDevice:
        return result.device.empty() ? "no device behind this name" : result.device + " does not exist";
    case TOpenError::PermissionDenied: {
        const std::string group = DeviceGroup(result.device);
        return "permission denied on " + device +
               (group.empty() ? std::string() : " (the device belongs to group " + group + ")");
    }
    case TOpenError::Busy:
        return "the port is in use by another program";
    case TOpenError::NotSerial:
        return device + " is not a serial line";
    case TOpenError::Failed:
        break;
    }
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
