#include "PortsAction.h"

#include "SerialPorts.h"

#include <cstdio>
#include <vector>

namespace {

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
            continue;
        }
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::string PortsListing(bool json) {
    const std::vector<TSerialPortInfo> ports = ListSerialPortInfo();
    std::string out = json ? "[" : "";
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const TSerialPortInfo& port = ports[i];
        if (!json) {
            out += port.name + "\t" + port.Description() + "\n";
            continue;
        }
        out += std::string(i == 0 ? "" : ",") + "{\"name\":" + JsonString(port.name) +
               ",\"device\":" + JsonString(port.device) + ",\"manufacturer\":" + JsonString(port.manufacturer) +
               ",\"product\":" + JsonString(port.product) + ",\"serial\":" + JsonString(port.serial) + "}";
    }
    if (json)
        out += "]\n";
    return out;
}
