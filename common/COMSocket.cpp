#include "COMSocket.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace {

constexpr int kBandSize = 32;

struct TBand {
    int first;
    const char* prefix;
};

// COM1..32, COM33..64 and COM65..96.
constexpr TBand kBands[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};

struct TRate {
    std::uint32_t rate;
    speed_t speed;
};

constexpr TRate kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedOf(std::uint32_t rate, speed_t& speed) {
    for (const TRate& r : kRates) {
        if (r.rate == rate) {
            speed = r.speed;
            return true;
        }
    }
    return false;
}

std::uint32_t RateOf(speed_t speed) {
    for (const TRate& r : kRates)
        if (r.speed == speed)
            return r.rate;
    return 0;
}

const char* PortFolder() {
    const char* folder = std::getenv("KR7_PORTS");
    return folder != nullptr && *folder != '\0' ? folder : nullptr;
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

bool IsCharDevice(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The kernel registers ttyS devices whether or not a UART is behind them; the
// serial core reports the UART type in sysfs (0 for none). Reading it there
// keeps the device closed: an open would raise DTR and RTS.
bool HasUartDevice(int index) {
    const std::string path = "/sys/class/tty/ttyS" + std::to_string(index) + "/type";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[16] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0)
        return false;
    return std::atoi(text) != PORT_UNKNOWN && IsCharDevice("/dev/ttyS" + std::to_string(index));
}

void ListFolder(const char* folder, std::vector<int>& numbers) {
    DIR* dir = ::opendir(folder);
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= 3 || name.compare(0, 3, "COM") != 0)
            continue;
        const int number = ParsePortNumber(name.substr(3));
        if (number <= 0 || std::to_string(number) != name.substr(3))
            continue;
        // stat follows the link: a dangling one is skipped.
        if (!IsCharDevice(std::string(folder) + "/" + name))
            continue;
        numbers.push_back(number);
    }
    ::closedir(dir);
}

void ListBands(std::vector<int>& numbers) {
    for (int i = 0; i < kBandSize; ++i)
        if (HasUartDevice(i))
            numbers.push_back(kBands[0].first + i);
    for (std::size_t b = 1; b < std::size(kBands); ++b) {
        for (int i = 0; i < kBandSize; ++i)
            if (IsCharDevice(kBands[b].prefix + std::to_string(i)))
                numbers.push_back(kBands[b].first + i);
    }
}

} // namespace

std::string SerialDevicePath(int portNumber) {
    if (portNumber <= 0)
        return {};
    if (const char* folder = PortFolder())
        return std::string(folder) + "/COM" + std::to_string(portNumber);
    for (const TBand& band : kBands)
        if (portNumber >= band.first && portNumber < band.first + kBandSize)
            return band.prefix + std::to_string(portNumber - band.first);
    return {};
}

void ListSerialPorts(std::vector<std::string>& list) {
    list.clear();
    std::vector<int> numbers;
    if (const char* folder = PortFolder())
        ListFolder(folder, numbers);
    else
        ListBands(numbers);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (int n : numbers)
        list.push_back("COM" + std::to_string(n));
}

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

bool TCOMSocket::Open() {
    Close();
    if (IsOpen())
        return false;
    const std::string path = SerialDevicePath(portNumber_);
    if (path.empty())
        return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    fd_ = fd;
    if (!Configure()) {
        Release();
        return false;
    }
    SetQueueSizes(inQueueSize_, outQueueSize_);
    return true;
}

// Exclusive against every other program, then the link settings.
bool TCOMSocket::Configure() {
    if (::ioctl(fd_, TIOCEXCL) != 0)
        return false;
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        return false;
    // Writes block until the driver has taken every byte.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        return false;
    MakeRaw8N1(tio);
    if (!ApplyRate(tio, baudRate_))
        return false;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        return false;
    if (!ReadBackRate())
        return false;
    return ClearModemLines(fd_);
}

bool TCOMSocket::ReadBackRate() {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        return false;
    baudRate_ = RateOf(::cfgetospeed(&tio));
    return true;
}

// Lets the next program open the port; the lock goes with the descriptor,
// which is gone even when close reports an error (Linux never retries a
// close), so the port counts as closed either way.
void TCOMSocket::Release() {
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
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

// The driver's queues are fixed on Linux: the sizes are kept as recommendations.
bool TCOMSocket::SetQueueSizes(std::int32_t inSize, std::uint32_t outSize) {
    inQueueSize_ = inSize;
    outQueueSize_ = outSize;
    return IsOpen();
}

int TCOMSocket::Write(const void* buffer, std::size_t count) {
    if (!IsOpen() || buffer == nullptr || count == 0)
        return 0;
    // The result is an int: a larger block is a partial write.
    count = std::min<std::size_t>(count, INT_MAX);
    ssize_t written = 0;
    do {
        written = ::write(fd_, buffer, count);
    } while (written < 0 && errno == EINTR);
    return written > 0 ? static_cast<int>(written) : 0;
}

bool TCOMSocket::WriteAll(const void* buffer, std::size_t count) {
    if (count == 0)
        return false;
    return static_cast<std::size_t>(Write(buffer, count)) == count;
}
