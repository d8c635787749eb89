#include "FrameRecorder.h"

#include "Protocol.h"

#include <cstdint>

std::string HexBytes(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (!out.empty())
            out.push_back(' ');
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0x0F]);
    }
    return out;
}

// A frame begins a new command; anything else is the payload of the last one.
void TFrameRecorder::Write(const void* data, std::size_t size) {
    const std::string block(static_cast<const char*>(data), size);
    const bool frame = size == FRAME_SIZE && static_cast<std::uint8_t>(block[0]) == FRAME_HEADER_0 &&
                       static_cast<std::uint8_t>(block[1]) == FRAME_HEADER_1;
    if (frame || commands_.empty())
        commands_.push_back(block);
    else
        commands_.back() += block;
}

std::string TFrameRecorder::Hex() const {
    std::string out;
    for (const std::string& command : commands_)
        out += HexBytes(command) + "\n";
    return out;
}

std::string TFrameRecorder::Bytes() const {
    std::string out;
    for (const std::string& command : commands_)
        out += command;
    return out;
}
