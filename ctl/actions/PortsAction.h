#pragma once

#include <string>

// ports [--json]: the serial ports, one "NAME<TAB>DESCRIPTION" line each, or
// a JSON array of their name, device, manufacturer, product and serial.
std::string PortsListing(bool json);
