#pragma once

#include <string>
#include <vector>

// Port names are "COM<n>". An entry COM<n> (usually a symbolic link to a tty)
// in the folder that KR7_PORTS names, or else in the user's links folder, is
// port n; without KR7_PORTS the fixed bands follow: COM1..COM32 are
// /dev/ttyS0..31, COM33..COM64 /dev/ttyUSB0..31 and COM65..COM96
// /dev/ttyACM0..31. A KR7_PORTS that names a missing folder maps nothing but
// the user's links, so no fixed-band port is ever touched by mistake.

// One port the machine offers, with what is known of the device behind it.
struct TSerialPortInfo {
    std::string name;   // "COM33"
    std::string device; // where the name leads, links followed: "/dev/ttyUSB0"
    // For USB adapters, as the adapter reports itself.
    std::string manufacturer;
    std::string product;
    std::string serial;

    // "/dev/ttyUSB0: FTDI FT232R USB UART, nr seryjny A50285BI" (UTF-8).
    std::string Description() const;
};

// The device path behind "COM<n>", or empty when n maps to nothing.
std::string SerialDevicePath(int portNumber);

// The user's folder of stable port links: $XDG_CONFIG_HOME/KR7Controller/ports
// (~/.config/KR7Controller/ports by default); empty when there is no home.
std::string PortLinksFolder();

// The ports the machine offers, in number order; USB details come from the
// sysfs tree under sysfsRoot.
std::vector<TSerialPortInfo> ListSerialPortInfo(const std::string& sysfsRoot = "/sys");

// Clears list, then appends the names of the serial ports the machine offers.
void ListSerialPorts(std::vector<std::string>& list);
