#pragma once

// The device end of the line, with the program's port open at 2400 baud and
// the designed 1024-byte queues on a clock that does not make the tests wait
// for the line.
#include "COMSocket.h"
#include "FakeLineClock.h"
#include "KR7.h"
#include "PtyPort.h"

struct TWire {
    TPtyPort pty{3};
    TFakeLineClock clock;
    TCOMSocket port{&clock};
    TKR7 kr7{port};

    TWire() {
        port.SelectPort(pty.Name());
        port.SetBaudRate(2400);
        port.SetQueueSizes(1024, 1024);
        port.Open();
    }
};
