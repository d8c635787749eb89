#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An in-memory byte stream with a read position. Writes append at the end.
class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    // Reads one byte at the read position; false when the stream is exhausted.
    bool ReadByte(std::uint8_t& b) {
        if (pos_ >= data_.size())
            return false;
        b = static_cast<std::uint8_t>(data_[pos_++]);
        return true;
    }
    void WriteByte(std::uint8_t b) { data_.push_back(static_cast<char>(b)); }
    void Write(const char* bytes, std::size_t count) { data_.append(bytes, count); }

    std::size_t Size() const { return data_.size(); }
    std::size_t Position() const { return pos_; }
    void Seek(std::size_t pos) { pos_ = pos < data_.size() ? pos : data_.size(); }
    const std::string& Bytes() const { return data_; }

private:
    std::string data_;
    std::size_t pos_ = 0;
};
