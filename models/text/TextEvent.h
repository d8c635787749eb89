#pragma once

#include <QString>

// What the text engine has to tell the user, as facts. Each program words
// them through TextWords: the window in its log, kr7ctl on stderr.
enum class TTextFact {
    Connecting,     // a port is being opened
    Connected,      // it opened
    PortNumber,     // number: the COM number of the open port
    DeviceGone,     // number: the errno of the write that found the device gone
    NoTickerFile,   // the ticker's file field is empty
    NoPagesFile,    // the pages' file field is empty
    FileMissing,    // path: no such file
    FileUnreadable, // path: a folder, a device, too large, or a read error
};

struct TTextEvent {
    TTextFact fact = TTextFact::Connecting;
    int number = 0;
    QString path;
};
