#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;
class TFormKR7;

// SIGINT, SIGTERM and SIGHUP close the window through its normal close path
// (the settings are saved) without the unsaved-glyphs question, which nobody
// could answer. The signal handler only writes a byte to a socket pair; the
// window closes from the event loop, a long sequence included, which stops
// between two frames. The earlier handlers are put back when this goes.
class TCloseOnSignals : public QObject {
public:
    explicit TCloseOnSignals(TFormKR7& form);
    ~TCloseOnSignals() override;
    TCloseOnSignals(const TCloseOnSignals&) = delete;
    TCloseOnSignals& operator=(const TCloseOnSignals&) = delete;

    bool Ready() const { return notifier_ != nullptr; }

private:
    void Arrived();

    TFormKR7& form_;
    QSocketNotifier* notifier_ = nullptr;
    std::array<struct sigaction, 3> previous_{};
};
