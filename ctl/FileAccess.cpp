#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string SystemReason(int error) {
    return error == ENOENT ? "no such file" : std::strerror(error);
}

// Closes the descriptor when it goes out of scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now; the close's own failure (a delayed write error) in errno.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_ = -1;
};

} // namespace

std::string ReadProblem(const std::string& path) {
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        return SystemReason(errno);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0)
        return SystemReason(errno);
    if (S_ISDIR(st.st_mode))
        return SystemReason(EISDIR);
    return {};
}

std::string WriteWholeFile(const std::string& path, const std::string& bytes) {
    TDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Get() < 0)
        return std::strerror(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return std::strerror(written < 0 ? errno : EIO);
        done += static_cast<std::size_t>(written);
    }
    if (!file.Close())
        return std::strerror(errno);
    return {};
}
