#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The one channel to the display: a serial port opened for writing, raw 8N1,
// no flow control, DTR and RTS held low, written to in whole blocks.
//
// Port names are "COM<n>". With the environment variable KR7_PORTS naming a
// folder, its entry COM<n> (usually a symbolic link to a tty) is port n;
// otherwise COM1..COM32 are /dev/ttyS0..31, COM33..COM64 /dev/ttyUSB0..31 and
// COM65..COM96 /dev/ttyACM0..31. A KR7_PORTS that names a missing folder maps
// nothing, so no real port is ever touched by mistake.
class TCOMSocket {
public:
    TCOMSocket() = default;
    ~TCOMSocket();
    TCOMSocket(const TCOMSocket&) = delete;
    TCOMSocket& operator=(const TCOMSocket&) = delete;

    bool SelectPort(const std::string& name);
    bool Open();
    bool Close();
    bool SetBaudRate(std::uint32_t rate);
    bool SetQueueSizes(std::int32_t inSize, std::uint32_t outSize);
    int PortNumber() const { return portNumber_; }
    bool IsOpen() const { return fd_ >= 0; }
    std::uint32_t BaudRate() const { return baudRate_; }

    int Write(const void* buffer, std::size_t count);
    bool WriteAll(const void* buffer, std::size_t count);

private:
    bool Configure();
    bool ReadBackRate();
    void Release();

    int fd_ = -1;
    int portNumber_ = 0;
    std::uint32_t baudRate_ = 100;
    std::int32_t inQueueSize_ = 4096;
    std::uint32_t outQueueSize_ = 4096;
};

// The device path behind "COM<n>", or empty when n maps to nothing.
std::string SerialDevicePath(int portNumber);

// Clears list, then appends the names of the serial ports the machine offers.
void ListSerialPorts(std::vector<std::string>& list);
