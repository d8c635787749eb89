#pragma once

#include "TextEvent.h"

#include <QObject>

#include <cstddef>
#include <functional>

class QTimer;
class TCOMSocket;
class TKR7;

// The pause after a port opened before the first row goes out: the device
// needs it to take text mode.
constexpr int CONNECT_PAUSE_MS = 1000;

// What follows a successful open: the lines Connected and PortNumber, then
// text mode. The caller pauses CONNECT_PAUSE_MS afterwards.
void AnnounceConnected(TKR7& device, int portNumber, const std::function<void(const TTextEvent&)>& report);

// The writes to the port, and the way back when the device vanishes: a write
// that finds the device gone closes the port at once and reports DeviceGone;
// then, while wanted() holds, the same port is tried again every RETRY_MS
// without a word. The first open that succeeds reports Connecting and runs
// reopened, which announces the connection (AnnounceConnected).
class TReconnect : public QObject {
public:
    static constexpr int RETRY_MS = 2000;
    using TReport = std::function<void(const TTextEvent&)>;

    TReconnect(TCOMSocket& port, std::function<bool()> wanted, TReport report, std::function<void()> reopened,
               QObject* parent = nullptr);

    // One block to the device; a vanished device starts the tries.
    void Write(const void* data, std::size_t size);
    // No more tries (the connection was changed by the user or the program).
    void Stop();
    bool Trying() const;

private:
    void Try();

    TCOMSocket& port_;
    std::function<bool()> wanted_;
    TReport report_;
    std::function<void()> reopened_;
    QTimer* timer_;
};
