#include "Reconnect.h"

#include "COMSocket.h"
#include "KR7.h"
#include "Protocol.h"

#include <QTimer>

void AnnounceConnected(TKR7& device, int portNumber, const std::function<void(const TTextEvent&)>& report) {
    report({TTextFact::Connected});
    report({TTextFact::PortNumber, portNumber});
    device.SetMode(MODE_TEXT);
}

TReconnect::TReconnect(TCOMSocket& port, std::function<bool()> wanted, TReport report, std::function<void()> reopened,
                       QObject* parent)
    : QObject(parent), port_(port), wanted_(std::move(wanted)), report_(std::move(report)),
      reopened_(std::move(reopened)), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Reconnect"));
    timer_->setObjectName(QStringLiteral("TimerReconnect"));
    timer_->setInterval(RETRY_MS);
    connect(timer_, &QTimer::timeout, this, &TReconnect::Try);
}

void TReconnect::Write(const void* data, std::size_t size) {
    const TWriteResult result = port_.WriteAll(data, size);
    if (result.error != TWriteError::DeviceGone)
        return;
    port_.Close();
    report_({TTextFact::DeviceGone, result.errorNumber});
    if (wanted_())
        timer_->start();
}

void TReconnect::Stop() {
    timer_->stop();
}

bool TReconnect::Trying() const {
    return timer_->isActive();
}

void TReconnect::Try() {
    if (!wanted_()) {
        Stop();
        return;
    }
    if (!port_.Open())
        return;
    Stop();
    report_({TTextFact::Connecting});
    reopened_();
}
