#include "COMSocket.h"

#include "OpenFailure.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdlib>

namespace {

constexpr long long BITS_PER_BYTE = 10; // start bit, 8 data bits, stop bit
// How long to wait before asking a driver again whose rate is unknown.
constexpr auto DRIVER_POLL = std::chrono::milliseconds(1);

struct TRate {
    std::uint32_t rate;
    speed_t speed;
};

constexpr TRate RATES[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedOf(std::uint32_t rate, speed_t& speed) {
    for (const TRate& r : RATES) {
        if (r.rate == rate) {
            speed = r.speed;
            return true;
        }
    }
    return false;
}

std::uint32_t RateOf(speed_t speed) {
    for (const TRate& r : RATES)
        if (r.speed == speed)
            return r.rate;
    return 0;
}

// The number after "COM", or 0 when the rest is not a whole decimal integer.
int ParsePortNumber(const std::string& rest) {
    int value = 0;
    const char* first = rest.data();
    const char* last = rest.data() + rest.size();
    if (last - first > 1 && *first == '+' && first[1] != '-')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return 0;
    return value;
}

// The link settings: raw bytes, 8 data bits, no parity, one stop bit, no flow
// control of any kind, modem lines ignored, the receiver on.
bool ApplyRate(termios& tio, std::uint32_t rate) {
    speed_t speed = 0;
    if (!SpeedOf(rate, speed))
        return false;
    return ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0;
}

void MakeRaw8N1(termios& tio) {
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

// A pseudo-terminal or some USB adapters have no modem lines; that is fine.
bool ClearModemLines(int fd) {
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &lines) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL;
}

// A write that fails this way will not succeed again on this descriptor.
bool IsDeviceGone(int errorNumber) {
    return errorNumber == EIO || errorNumber == ENXIO || errorNumber == ENODEV || errorNumber == EPIPE;
}

TOpenResult Refused(int errorNumber, const std::string& device) {
    return OpenFailure(OpenErrorOf(errorNumber), device, errorNumber);
}

} // namespace

TCOMSocket::TCOMSocket(TLineClock* clock) : clock_(clock != nullptr ? clock : &ownClock_) {}

TCOMSocket::~TCOMSocket() {
    Close();
}

bool TCOMSocket::SelectPort(const std::string& name) {
    if (IsOpen())
        return false;
    if (name.compare(0, 3, "COM") != 0)
        return false;
    portNumber_ = ParsePortNumber(name.substr(3));
    return portNumber_ != 0;
}

TOpenResult TCOMSocket::Open() {
    Close();
    const std::string path = SerialDevicePath(portNumber_);
    if (path.empty())
        return OpenFailure(TOpenError::NoSuchDevice, path);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refused(errno, path);
    fd_ = fd;
    const TOpenError error = Configure();
    // Released before the reason is looked up, so this program is not named as the holder.
    if (error != TOpenError::None) {
        Release();
        return OpenFailure(error, path, errno);
    }
    SetQueueSizes(inQueueSize_, outQueueSize_);
    lineFreeAt_ = {};
    lastFailure_ = {};
    return {};
}

// Exclusive against every other program, then the link settings. On failure
// errno tells why. The exclusive-use flag is set only once the lock is ours,
// and a flag that is already set means another holder (root gets a
// descriptor regardless): it is left to that holder.
TOpenError TCOMSocket::Configure() {
    int exclusive = 0;
    if (::ioctl(fd_, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) {
        errno = EBUSY;
        return TOpenError::Busy;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        return OpenErrorOf(errno);
    if (::ioctl(fd_, TIOCEXCL) != 0)
        return OpenErrorOf(errno);
    ownsExclusive_ = true;
    // Writes block until the driver has taken every byte.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return OpenErrorOf(errno);
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        return OpenErrorOf(errno);
    MakeRaw8N1(tio);
    if (!ApplyRate(tio, baudRate_)) {
        errno = EINVAL;
        return TOpenError::Failed;
    }
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0 || !ReadBackRate())
        return OpenErrorOf(errno);
    if (!ClearModemLines(fd_))
        return OpenErrorOf(errno);
    return TOpenError::None;
}

bool TCOMSocket::ReadBackRate() {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        return false;
    baudRate_ = RateOf(::cfgetospeed(&tio));
    return true;
}

// Lets the next program open the port, if this object made it exclusive; the
// lock goes with the descriptor, which is gone even when close reports an
// error (Linux never retries a close), so the port counts as closed either way.
void TCOMSocket::Release() {
    const int saved = errno;
    if (ownsExclusive_)
        ::ioctl(fd_, TIOCNXCL);
    ownsExclusive_ = false;
    ::close(fd_);
    fd_ = -1;
    errno = saved;
}

bool TCOMSocket::Close() {
    if (IsOpen())
        Release();
    return true;
}

bool TCOMSocket::SetBaudRate(std::uint32_t rate) {
    baudRate_ = rate;
    if (!IsOpen())
        return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0 || !ApplyRate(tio, rate) || ::tcsetattr(fd_, TCSANOW, &tio) != 0)
        return false;
    if (!ReadBackRate()) {
        Close();
        return false;
    }
    return true;
}

// The driver's queues are fixed on Linux: the out size paces the writes, the
// in size is kept as a recommendation.
bool TCOMSocket::SetQueueSizes(std::int32_t inSize, std::uint32_t outSize) {
    inQueueSize_ = inSize;
    outQueueSize_ = outSize;
    return IsOpen();
}

std::chrono::nanoseconds TCOMSocket::ByteTime() const {
    if (baudRate_ == 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(1'000'000'000LL * BITS_PER_BYTE / baudRate_);
}

std::size_t TCOMSocket::ClockInFlight(TLineClock::TTime now) const {
    const auto byteTime = ByteTime();
    if (byteTime.count() == 0 || lineFreeAt_ <= now)
        return 0;
    const auto left = lineFreeAt_ - now;
    return static_cast<std::size_t>((left + byteTime - std::chrono::nanoseconds(1)) / byteTime);
}

std::size_t TCOMSocket::InFlight() {
    return ClockInFlight(clock_->Now());
}

void TCOMSocket::WaitUntilCarried() {
    if (ClockInFlight(clock_->Now()) > 0)
        clock_->WaitUntil(lineFreeAt_);
}

void TCOMSocket::WaitUntilInFlightAtMost(std::size_t allowed) {
    const auto byteTime = ByteTime();
    for (;;) {
        const auto now = clock_->Now();
        const std::size_t inFlight =
            std::max(ClockInFlight(now), static_cast<std::size_t>(std::max(clock_->DriverQueued(fd_), 0)));
        if (inFlight <= allowed)
            return;
        const auto excess = static_cast<long long>(inFlight - allowed);
        const auto wait =
            byteTime.count() > 0 ? std::chrono::nanoseconds(byteTime * excess) : std::chrono::nanoseconds(DRIVER_POLL);
        clock_->WaitUntil(now + wait);
    }
}

// One blocking write of the whole block, paced to the line: no buffering and
// no batching of its own.
TWriteResult TCOMSocket::PacedWrite(const void* buffer, std::size_t count, std::size_t& written) {
    written = 0;
    if (!IsOpen())
        return lastFailure_ = {TWriteError::NotOpen};
    if (buffer == nullptr || count == 0)
        return lastFailure_ = {TWriteError::NoData};
    // The result of Write is an int: a larger block is a partial write.
    count = std::min<std::size_t>(count, INT_MAX);
    const std::size_t queue = outQueueSize_;
    WaitUntilInFlightAtMost(count < queue ? queue - count : 0);
    ssize_t n = 0;
    do {
        n = ::write(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        const int error = errno;
        return lastFailure_ = {IsDeviceGone(error) ? TWriteError::DeviceGone : TWriteError::Failed, error};
    }
    written = static_cast<std::size_t>(n);
    bytesWritten_ += written;
    lineFreeAt_ = std::max(lineFreeAt_, clock_->Now()) + ByteTime() * static_cast<long long>(written);
    // A block larger than the queue returns once its tail fits the queue.
    if (written > queue)
        WaitUntilInFlightAtMost(queue);
    return {};
}

int TCOMSocket::Write(const void* buffer, std::size_t count) {
    std::size_t written = 0;
    PacedWrite(buffer, count, written);
    return static_cast<int>(written);
}

TWriteResult TCOMSocket::WriteAll(const void* buffer, std::size_t count) {
    std::size_t written = 0;
    const TWriteResult result = PacedWrite(buffer, count, written);
    if (!result)
        return result;
    if (written != count)
        return lastFailure_ = {TWriteError::Failed};
    return result;
}
