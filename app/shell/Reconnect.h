#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>

class QTimer;
class TCOMSocket;
class TMessageLog;
class TShellState;

// "Urządzenie odłączone: błąd wejścia-wyjścia (EIO)." for the errno of a
// write that found the device gone.
QString DeviceGoneLine(int errorNumber);

// The window's writes to the port, and the way back when the device
// vanishes: a write that finds the device gone closes the port at once and
// logs why; then, while "Połącz" stays checked, the same port is tried again
// every RETRY_MS without a word, and the first open that succeeds runs
// reopened. A child of the window, so its timer is one of the window's.
class TReconnect : public QObject {
public:
    static constexpr int RETRY_MS = 2000;

    TReconnect(TCOMSocket& port, TMessageLog& log, const TShellState& shell, std::function<void()> reopened,
               QObject* window);

    // One block to the device; a vanished device starts the tries.
    void Write(const void* data, std::size_t size);
    // No more tries (the box was changed by the user or the program).
    void Stop();
    bool Trying() const;

private:
    void Try();

    TCOMSocket& port_;
    TMessageLog& log_;
    const TShellState& shell_;
    std::function<void()> reopened_;
    QTimer* timer_;
};
