#pragma once

#include "COMSocket.h"
#include "Protocol.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// The display device as the program sees it: every action becomes one
// 10-byte command frame, optionally followed by a payload. Nothing is read back.
class TKR7 {
public:
    // Where the frames go: the port, or anything else that takes whole blocks
    // (a recorder of frames for a dry run).
    using TWriter = std::function<void(const void* data, std::size_t size)>;

    explicit TKR7(TCOMSocket& port)
        : write_([&port](const void* data, std::size_t size) { port.WriteAll(data, size); }) {}
    explicit TKR7(TWriter writer) : write_(std::move(writer)) {}
    TKR7(const TKR7&) = delete;
    TKR7& operator=(const TKR7&) = delete;

    void SetCrossPosition(int x, int y);
    void SetMode(int mode);
    void StoreScreen();
    void ClearScreen();
    void WriteText(int column, int row, const std::string& text);
    void LoadGlyph(int code, const std::uint8_t* record);
    void WriteCodes(int column, int row, const std::string& codes);
    void SetStoredMode(int mode);

    // The last frame built, for inspection.
    const std::array<std::uint8_t, FRAME_SIZE>& Frame() const { return frame_; }

private:
    void Send(TCommand code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, std::uint8_t p4,
              const void* payload = nullptr, std::size_t payloadSize = 0);

    TWriter write_;
    std::array<std::uint8_t, FRAME_SIZE> frame_{FRAME_HEADER_0, FRAME_HEADER_1};
};

// The checksum of a frame: the 8-bit sum of bytes 2 to 8.
std::uint8_t FrameChecksum(const std::uint8_t* frame);
