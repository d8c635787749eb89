#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Collects what a TKR7 writes, one command (frame and payload) per entry, for
// a dry run or an output file instead of a port.
class TFrameRecorder {
public:
    void Write(const void* data, std::size_t size);

    const std::vector<std::string>& Commands() const { return commands_; }
    // One command per line as upper-case hex bytes: "FF 00 03 ... 03".
    std::string Hex() const;
    // Every byte in the order written.
    std::string Bytes() const;

private:
    std::vector<std::string> commands_;
};

// "FF 00 03": bytes as upper-case hex separated by single spaces.
std::string HexBytes(const std::string& bytes);
