#include "PtyPort.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr auto QUIET = std::chrono::milliseconds(50);
constexpr auto LONGEST = std::chrono::seconds(5);

// Raw mode once, through a short-lived slave descriptor, so bytes pass
// unchanged even before the program configures the line.
void MakeSlaveRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    ::close(fd);
}

} // namespace

TPtyPort::TPtyPort(int comNumber) : comNumber_(comNumber) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        std::perror("TPtyPort: posix_openpt");
        std::abort();
    }
    char name[128] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        std::perror("TPtyPort: ptsname_r");
        std::abort();
    }
    slavePath_ = name;
    MakeSlaveRaw(slavePath_);

    folderPath_ = folder_.path();
    const QString link = folderPath_ + "/" + QString::fromStdString(Name());
    if (!QFile::link(QString::fromStdString(slavePath_), link)) {
        std::fprintf(stderr, "TPtyPort: cannot link %s\n", qPrintable(link));
        std::abort();
    }
    if (const char* old = std::getenv("KR7_PORTS"))
        previousPorts_ = old;
    ::setenv("KR7_PORTS", folderPath_.toLocal8Bit().constData(), 1);
    if (const char* old = std::getenv("XDG_CONFIG_HOME"))
        previousConfig_ = old;
    ::setenv("XDG_CONFIG_HOME", (folderPath_ + "/config").toLocal8Bit().constData(), 1);

    drainer_ = std::thread([this] { Drain(); });
}

TPtyPort::~TPtyPort() {
    CloseMaster();
    if (previousPorts_)
        ::setenv("KR7_PORTS", previousPorts_->c_str(), 1);
    else
        ::unsetenv("KR7_PORTS");
    if (previousConfig_)
        ::setenv("XDG_CONFIG_HOME", previousConfig_->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

std::string TPtyPort::Name() const {
    return "COM" + std::to_string(comNumber_);
}

void TPtyPort::Drain() {
    char buffer[65536];
    while (!stop_.load()) {
        pollfd p{master_, POLLIN, 0};
        const int ready = ::poll(&p, 1, 20);
        if (ready <= 0)
            continue;
        if ((p.revents & POLLIN) != 0) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) {
                std::lock_guard lock(mutex_);
                received_.append(buffer, static_cast<std::size_t>(n));
                ++arrivals_;
                arrived_.notify_all();
                continue;
            }
        }
        // No slave open (hang-up) or nothing to read: wait a little.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void TPtyPort::StopDrain() {
    stop_.store(true);
    if (drainer_.joinable())
        drainer_.join();
}

std::string TPtyPort::Take() {
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + LONGEST;
    for (;;) {
        const std::size_t seen = arrivals_;
        const bool more = arrived_.wait_for(lock, QUIET, [&] { return arrivals_ != seen; });
        if (!more || std::chrono::steady_clock::now() >= deadline)
            break;
    }
    std::string out;
    out.swap(received_);
    return out;
}

std::string TPtyPort::TakeAtLeast(std::size_t count) {
    {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, LONGEST, [&] { return received_.size() >= count; });
    }
    return Take();
}

std::string TPtyPort::TakeHex() {
    return ToHex(Take());
}

void TPtyPort::CloseMaster() {
    StopDrain();
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        if (!out.empty())
            out.push_back(' ');
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0x0F]);
    }
    return out;
}

std::string FromHex(const std::string& hex) {
    std::string out;
    int high = -1;
    for (unsigned char c : hex) {
        if (std::isspace(c))
            continue;
        const int value = std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10;
        if (high < 0) {
            high = value;
        } else {
            out.push_back(static_cast<char>(high * 16 + value));
            high = -1;
        }
    }
    return out;
}
