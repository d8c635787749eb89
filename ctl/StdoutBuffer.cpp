#include "StdoutBuffer.h"

#include <unistd.h>

#include <cerrno>

TStdoutBuffer::int_type TStdoutBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
    pending_.push_back(traits_type::to_char_type(c));
    if (pending_.size() >= FLUSH_AT && sync() != 0)
        return traits_type::eof();
    return c;
}

std::streamsize TStdoutBuffer::xsputn(const char* data, std::streamsize size) {
    pending_.append(data, static_cast<std::size_t>(size));
    if (pending_.size() >= FLUSH_AT && sync() != 0)
        return 0;
    return size;
}

int TStdoutBuffer::sync() {
    if (error_ != 0) {
        pending_.clear();
        return -1;
    }
    std::size_t done = 0;
    while (done < pending_.size()) {
        const ssize_t written = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            pending_.clear();
            return -1;
        }
        done += static_cast<std::size_t>(written);
    }
    pending_.clear();
    return 0;
}
