#pragma once

// The emulated display of the scripted line runs: a pseudo-terminal published
// as COM1 in a ports folder, read at 2400 baud by the emulator's session on a
// thread of its own (the reader's notifiers need a Qt thread). The run's own
// measures hook in through the callbacks, which run on that thread.
#include "PtyEndpoint.h"
#include "Session.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <string_view>

class TEmulatedDisplay {
public:
    struct THooks {
        // Every piece of bytes as it arrives.
        std::function<void(std::string_view)> bytes;
        // Every traffic line the session writes.
        std::function<void(const QString&)> traffic;
        // Every 20 ms, for sampling the endpoint and the session.
        std::function<void(const TPtyEndpoint&, const TEmulatorSession&)> sample;
    };

    // Publishes COM1 in portsFolder and points KR7_PORTS there; returns once
    // the display is reading. Ends the program when the pseudo-terminal
    // cannot be made.
    TEmulatedDisplay(const QString& portsFolder, const QString& stateFile, THooks hooks);
    ~TEmulatedDisplay();

    TEmulatedDisplay(const TEmulatedDisplay&) = delete;
    TEmulatedDisplay& operator=(const TEmulatedDisplay&) = delete;

    // Stops reading and waits for the thread.
    void Stop();

private:
    void Run(const QString& folder, const QString& state);

    THooks hooks_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ready_{false};
    std::unique_ptr<QThread> thread_;
};
