#include "shell/Reconnect.h"

#include "COMSocket.h"
#include "shell/WindowServices.h"

#include <QCoreApplication>
#include <QTimer>

#include <cerrno>

namespace {

QString WhyGone(int errorNumber) {
    switch (errorNumber) {
    case EIO:
        return QCoreApplication::translate("TReconnect", "błąd wejścia-wyjścia (EIO)");
    case ENXIO:
        return QCoreApplication::translate("TReconnect", "brak urządzenia (ENXIO)");
    case ENODEV:
        return QCoreApplication::translate("TReconnect", "urządzenie nie istnieje (ENODEV)");
    case EPIPE:
        return QCoreApplication::translate("TReconnect", "połączenie zerwane (EPIPE)");
    default:
        return QCoreApplication::translate("TReconnect", "błąd %1").arg(errorNumber);
    }
}

} // namespace

QString DeviceGoneLine(int errorNumber) {
    return QCoreApplication::translate("TReconnect", "Urządzenie odłączone: %1.").arg(WhyGone(errorNumber));
}

TReconnect::TReconnect(TCOMSocket& port, TMessageLog& log, const TShellState& shell, std::function<void()> reopened,
                       QObject* window)
    : QObject(window), port_(port), log_(log), shell_(shell), reopened_(std::move(reopened)), timer_(new QTimer(this)) {
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
    log_.Log(DeviceGoneLine(result.errorNumber));
    if (shell_.IsConnectChecked())
        timer_->start();
}

void TReconnect::Stop() {
    timer_->stop();
}

bool TReconnect::Trying() const {
    return timer_->isActive();
}

void TReconnect::Try() {
    if (!shell_.IsConnectChecked()) {
        Stop();
        return;
    }
    if (!port_.Open())
        return;
    Stop();
    reopened_();
}
