#include "PtyEndpoint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

QString Reason(const char* what) {
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

void MakeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return;
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
}

} // namespace

QString DefaultPortsFolder() {
    const QString fromEnv = qEnvironmentVariable("KR7_PORTS");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return runtime + QStringLiteral("/kr7-ports");
    return QStringLiteral("/tmp/kr7-ports-%1").arg(::getuid());
}

TPtyEndpoint::~TPtyEndpoint() {
    Unpublish();
    Close();
}

bool TPtyEndpoint::Open(QString& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = Reason("cannot create a pseudo-terminal");
        Close();
        return false;
    }
    char name[128] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = Reason("cannot name the pseudo-terminal");
        Close();
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = Reason("cannot open the pseudo-terminal");
        Close();
        return false;
    }
    MakeRaw(slave_);
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0 || ::inotify_add_watch(watch_, name, IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        error = Reason("cannot watch the pseudo-terminal");
        Close();
        return false;
    }
    return true;
}

bool TPtyEndpoint::Publish(const QString& folder, const QString& name, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create the ports folder %1").arg(folder);
        return false;
    }
    const QString link = QDir(folder).filePath(name);
    const QFileInfo existing(link);
    if (existing.isSymLink() && !existing.exists())
        QFile::remove(link); // left by an emulator that did not exit cleanly
    if (QFileInfo(link).isSymLink() || QFileInfo::exists(link)) {
        error = QStringLiteral("%1 already exists (another emulator?); choose another --port or remove it").arg(link);
        return false;
    }
    if (::symlink(slavePath_.c_str(), QFile::encodeName(link).constData()) != 0) {
        error = Reason("cannot publish the port") + QStringLiteral(" (%1)").arg(link);
        return false;
    }
    linkPath_ = link;
    return true;
}

void TPtyEndpoint::Unpublish() {
    if (linkPath_.isEmpty())
        return;
    if (QFileInfo(linkPath_).symLinkTarget() == QString::fromStdString(slavePath_))
        QFile::remove(linkPath_);
    linkPath_.clear();
}

std::string TPtyEndpoint::Read(std::size_t max) {
    std::string out(max, '\0');
    for (;;) {
        const ssize_t n = ::read(master_, out.data(), max);
        if (n > 0) {
            out.resize(static_cast<std::size_t>(n));
            return out;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return {};
    }
}

bool TPtyEndpoint::Readable() const {
    pollfd p{master_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

std::size_t TPtyEndpoint::Waiting() const {
    int waiting = 0;
    if (master_ < 0 || ::ioctl(master_, FIONREAD, &waiting) != 0 || waiting < 0)
        return 0;
    return static_cast<std::size_t>(waiting);
}

std::vector<TPtyEndpoint::TPortEvent> TPtyEndpoint::TakePortEvents() {
    std::vector<TPortEvent> events;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(watch_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if ((event.mask & IN_OPEN) != 0) {
                ++handles_;
                events.push_back(TPortEvent::Opened);
            }
            if ((event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) != 0 && handles_ > 0) {
                --handles_;
                events.push_back(TPortEvent::Closed);
            }
        }
    }
    // With the program gone, lift its exclusive-use flag so it can open the port again.
    if (handles_ == 0 && !events.empty())
        ::ioctl(slave_, TIOCNXCL);
    return events;
}

void TPtyEndpoint::Close() {
    for (int* fd : {&watch_, &slave_, &master_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}
