#pragma once

#include "COMSocket.h"
#include "KR7.h"
#include "Neon.h"
#include "Reconnect.h"
#include "TextEvent.h"
#include "TextSettings.h"

#include <QTimer>

#include <ostream>
#include <string>

// The ticker and the pages of a settings file, run without a window on the
// event loop by the text engine, as the window runs them: the same timers,
// rows, file re-reads, centring and reconnection, and the engine's reports
// written to log in the installed language.
class TTextRun {
public:
    TTextRun(const TTextSettings& settings, std::string portName, std::ostream& log);
    TTextRun(const TTextRun&) = delete;
    TTextRun& operator=(const TTextRun&) = delete;

    // Connects and starts the features. Empty on success, otherwise why the
    // port did not open ("cannot open port COM5: ..."); nothing then runs.
    std::string Start();

private:
    void Report(const TTextEvent& event);
    // The port has opened: the connection's lines, text mode and the pause.
    void Opened();
    void HorizTick();
    void VertTick();
    void ReadHorizFile();
    void ReadVertFile();

    TTextSettings settings_;
    std::string portName_;
    std::ostream& log_;
    TCOMSocket port_;
    // A vanished device is tried again for as long as the run lasts.
    TReconnect reconnect_{port_, [] { return true; }, [this](const TTextEvent& event) { Report(event); },
                          [this] { Opened(); }};
    TKR7 device_{[this](const void* data, std::size_t size) { reconnect_.Write(data, size); }};
    THorizNeon horiz_;
    TVertNeon vert_;
    QTimer horizTimer_;
    QTimer vertTimer_;
    QTimer horizFileTimer_;
    QTimer vertFileTimer_;
};
