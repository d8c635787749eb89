#pragma once

#include <streambuf>
#include <string>

// An output buffer on a file descriptor that keeps the system's reason when
// a write fails (a full disk, a closed pipe), so that the program can say so
// and end with a failure instead of reporting success.
class TStdoutBuffer : public std::streambuf {
public:
    explicit TStdoutBuffer(int fd) : fd_(fd) {}
    ~TStdoutBuffer() override { sync(); }
    TStdoutBuffer(const TStdoutBuffer&) = delete;
    TStdoutBuffer& operator=(const TStdoutBuffer&) = delete;

    // The errno of the first failed write, 0 while every write passed.
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    static constexpr std::size_t FLUSH_AT = 8192;
    int fd_ = -1;
    int error_ = 0;
    std::string pending_;
};
