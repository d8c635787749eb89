#pragma once

#include "PtyEndpoint.h"

#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

// Reads the program's bytes from the pseudo-terminal on the event loop. With a
// baud rate it takes no more bytes than the line could carry in the time that
// has passed (10 bits a byte), so the program's writes meet the same
// back-pressure as on a real link; a late wake-up is made up for, so the rate
// holds on average. With baud 0 it reads whatever is there.
// When the program closes the port, the bytes still waiting are read first,
// then the end of the stream is reported.
class TLineReader {
public:
    struct THandlers {
        std::function<void(std::string_view bytes)> bytes;
        std::function<void()> endOfStream;
        std::function<void(const QString& line)> note;
    };

    TLineReader(TPtyEndpoint& endpoint, int baud, THandlers handlers);
    ~TLineReader();
    TLineReader(const TLineReader&) = delete;
    TLineReader& operator=(const TLineReader&) = delete;

private:
    using TClock = std::chrono::steady_clock;

    void ReadLine();
    void ReadPortEvents();
    void CheckClosed();
    std::size_t Budget(TClock::time_point start, TClock::time_point now) const;
    std::chrono::nanoseconds ByteTime() const;

    TPtyEndpoint& endpoint_;
    int baud_;
    THandlers handlers_;
    std::unique_ptr<QSocketNotifier> lineNotifier_;
    std::unique_ptr<QSocketNotifier> watchNotifier_;
    QTimer paceTimer_;
    QTimer closeTimer_;
    // When the line has carried every byte read so far.
    TClock::time_point lineFree_ = TClock::now();
    bool closePending_ = false;
};
