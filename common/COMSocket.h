#pragma once

#include "LineClock.h"
#include "PortResults.h"
#include "SerialPorts.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The one channel to the display: a serial port opened for writing, raw 8N1,
// no flow control, DTR and RTS held low, written to in whole blocks. Port
// names and their devices: SerialPorts.h.
//
// Writes are paced like a driver whose transmit queue holds outQueueSize
// bytes: a write first waits until the bytes still in flight and the new
// block fit that queue, and a block larger than the queue returns once its
// tail fits. In flight is the larger of what the driver reports and the
// port's own clock of the line (bytes written minus what the line has carried
// since at the set rate, 10 bits a byte), because pseudo-terminals and some
// adapters report nothing. There is no time-out.
class TCOMSocket {
public:
    // clock: null for the steady clock; otherwise it must outlive the port.
    explicit TCOMSocket(TLineClock* clock = nullptr);
    ~TCOMSocket();
    TCOMSocket(const TCOMSocket&) = delete;
    TCOMSocket& operator=(const TCOMSocket&) = delete;

    bool SelectPort(const std::string& name);
    TOpenResult Open();
    bool Close();
    bool SetBaudRate(std::uint32_t rate);
    bool SetQueueSizes(std::int32_t inSize, std::uint32_t outSize);
    int PortNumber() const { return portNumber_; }
    bool IsOpen() const { return fd_ >= 0; }
    std::uint32_t BaudRate() const { return baudRate_; }

    int Write(const void* buffer, std::size_t count);
    TWriteResult WriteAll(const void* buffer, std::size_t count);
    // How the last write that was refused or failed went wrong; None after a
    // successful open. A vanished device shows as TWriteError::DeviceGone.
    TWriteResult LastWriteFailure() const { return lastFailure_; }
    // Bytes the line still has to carry by the port's own clock.
    std::size_t InFlight();
    // Returns once the line has carried every byte written, by the port's own
    // clock: the writes return while up to a driver queue of bytes (seconds at
    // 2400 baud) has yet to reach the display.
    void WaitUntilCarried();
    // Bytes written since the port was made, in all; those not in flight have
    // been carried by the line.
    std::uint64_t BytesWritten() const { return bytesWritten_; }

private:
    TOpenError Configure();
    bool ReadBackRate();
    void Release();
    TWriteResult PacedWrite(const void* buffer, std::size_t count, std::size_t& written);
    void WaitUntilInFlightAtMost(std::size_t allowed);
    std::size_t ClockInFlight(TLineClock::TTime now) const;
    std::chrono::nanoseconds ByteTime() const;

    TLineClock ownClock_;
    TLineClock* clock_ = &ownClock_;
    int fd_ = -1;
    bool ownsExclusive_ = false;
    int portNumber_ = 0;
    std::uint32_t baudRate_ = 100;
    std::int32_t inQueueSize_ = 4096;
    std::uint32_t outQueueSize_ = 4096;
    TLineClock::TTime lineFreeAt_{};
    std::uint64_t bytesWritten_ = 0;
    TWriteResult lastFailure_;
};
