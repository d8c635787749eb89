#include "KR7.h"

std::uint8_t FrameChecksum(const std::uint8_t* frame) {
    unsigned sum = 0;
    for (int i = 2; i <= 8; ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum);
}

void TKR7::Send(TCommand code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, std::uint8_t p4, const void* payload,
                std::size_t payloadSize) {
    frame_[2] = static_cast<std::uint8_t>(code);
    frame_[3] = p1;
    frame_[4] = p2;
    frame_[5] = p3;
    frame_[6] = p4;
    frame_[7] = 0; // the device ignores unused parameter bytes; they are always 0
    frame_[8] = 0;
    frame_[9] = FrameChecksum(frame_.data());
    // Results are ignored: a lost frame does not stop its payload.
    write_(frame_.data(), frame_.size());
    if (payload != nullptr && payloadSize > 0)
        write_(payload, payloadSize);
}

void TKR7::SetCrossPosition(int x, int y) {
    Send(TCommand::SetCrossPosition, static_cast<std::uint8_t>(x >> 8), static_cast<std::uint8_t>(x),
         static_cast<std::uint8_t>(y >> 8), static_cast<std::uint8_t>(y));
}

void TKR7::SetMode(int mode) {
    Send(TCommand::SetMode, static_cast<std::uint8_t>(mode), 0, 0, 0);
}

void TKR7::StoreScreen() {
    Send(TCommand::StoreScreen, 0, 0, 0, 0);
}

void TKR7::ClearScreen() {
    Send(TCommand::ClearScreen, 0, 0, 0, 0);
}

// The length byte holds at most 255; a longer payload would desynchronise the
// device's reader, so only the first 255 bytes are sent.
static std::size_t PayloadLength(const std::string& bytes) {
    return bytes.size() > MAX_PAYLOAD_SIZE ? MAX_PAYLOAD_SIZE : bytes.size();
}

void TKR7::WriteText(int column, int row, const std::string& text) {
    if (text.empty())
        return;
    const std::size_t n = PayloadLength(text);
    Send(TCommand::WriteText, static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row),
         static_cast<std::uint8_t>(n), 0, text.data(), n);
}

void TKR7::LoadGlyph(int code, const std::uint8_t* record) {
    if (record == nullptr)
        return;
    Send(TCommand::LoadGlyph, static_cast<std::uint8_t>(code), 0, 0, 0, record, GLYPH_RECORD_SIZE);
}

void TKR7::WriteCodes(int column, int row, const std::string& codes) {
    if (codes.empty())
        return;
    const std::size_t n = PayloadLength(codes);
    Send(TCommand::WriteCodes, static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row),
         static_cast<std::uint8_t>(n), 0, codes.data(), n);
}

void TKR7::SetStoredMode(int mode) {
    Send(TCommand::SetStoredMode, static_cast<std::uint8_t>(mode), 0, 0, 0);
}
