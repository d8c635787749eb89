#pragma once

#include "COMSocket.h"
#include "KR7.h"
#include "Neon.h"
#include "TextSettings.h"

#include <QTimer>

#include <ostream>
#include <string>

// The ticker and the pages of a settings file, run without a window on the
// event loop, as the window runs them: the same timers, rows, file re-reads
// and centring, and the window's log lines written to log. A port whose
// device vanishes is closed and opened again every 2 s until it is back.
class TTextRun {
public:
    TTextRun(const TTextSettings& settings, std::string portName, std::ostream& log);
    TTextRun(const TTextRun&) = delete;
    TTextRun& operator=(const TTextRun&) = delete;

    // Connects and starts the features. Empty on success, otherwise why the
    // port did not open ("cannot open port COM5: ..."); nothing then runs.
    std::string Start();

private:
    void Log(const std::string& line);
    bool Connect();
    void Reconnect();
    // Closes a port whose device has gone, and starts the reconnection.
    void CheckLine();
    void HorizTick();
    void VertTick();
    void ReadHorizFile();
    void ReadVertFile();

    TTextSettings settings_;
    std::string portName_;
    std::ostream& log_;
    TCOMSocket port_;
    TKR7 device_{port_};
    THorizNeon horiz_;
    TVertNeon vert_;
    QTimer horizTimer_;
    QTimer vertTimer_;
    QTimer horizFileTimer_;
    QTimer vertFileTimer_;
    QTimer reconnectTimer_;
};
