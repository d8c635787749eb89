#pragma once

#include <string>
#include <vector>

// Why the port did not open.
enum class TOpenError {
    None,
    NoSuchDevice,     // the name maps to nothing, or the device is not there
    PermissionDenied, // the user may not open the device
    Busy,             // another program holds the port
    NotSerial,        // the name leads to something that is not a serial line
    Failed,           // any other refusal of the system or the driver
};

// A program that holds a port open.
struct TPortHolder {
    std::string name; // the program's name as the system gives it ("minicom")
    int pid = 0;
};

// The outcome of TCOMSocket::Open: true when the port is open; otherwise the
// kind of failure and the facts behind it, for each program to word in its
// own language.
struct TOpenResult {
    TOpenError error = TOpenError::None;
    std::string device;  // the device tried ("/dev/ttyUSB0"), empty when the name maps to nothing
    int errorNumber = 0; // errno of the refused call, 0 when none was issued
    // PermissionDenied: the group that owns the device (empty when unknown),
    // and whether its group bits let the group read and write it, so that
    // joining the group would help.
    std::string group;
    bool groupMayReadWrite = false;
    // Busy: the programs that hold the device open (a few at most).
    std::vector<TPortHolder> holders;

    explicit operator bool() const { return error == TOpenError::None; }
};

// Why a write did not pass all of its bytes.
enum class TWriteError {
    None,
    NotOpen,    // the port is closed: the write was dropped
    NoData,     // a null buffer or no bytes
    DeviceGone, // the device has vanished (EIO, ENXIO, ENODEV, a hang-up)
    Failed,     // any other failure, a partial write included
};

// The outcome of TCOMSocket::WriteAll: true when every byte was written.
struct TWriteResult {
    TWriteError error = TWriteError::None;
    int errorNumber = 0; // errno of the failed write, 0 when none was issued

    explicit operator bool() const { return error == TWriteError::None; }
};
