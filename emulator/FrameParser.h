#pragma once

#include "Protocol.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// One command as it arrived on the line: the 10-byte frame and its payload.
struct TDeviceCommand {
    TCommand code = TCommand::SetCrossPosition;
    std::array<std::uint8_t, 6> params{};
    std::string payload;

    // The frame and payload bytes exactly as received.
    std::string Bytes() const;
};

// What the parser saw, in arrival order. Anything that is not a command
// carries the bytes it concerns (garbage runs are cut to their first bytes).
struct TParserEvent {
    enum class TKind {
        Command,       // a frame with a good checksum and a known code
        ChecksumError, // a header whose checksum does not match; skipped
        UnknownCode,   // a good checksum but a code above 7; skipped
        Skipped,       // bytes outside any frame
        Dropped,       // a frame cut off at the end of the stream
    };
    TKind kind = TKind::Command;
    TDeviceCommand command;    // Command only
    std::string bytes;         // the bytes concerned (at most a few dozen)
    std::size_t byteCount = 0; // how many bytes the event stands for
};

struct TParserCounters {
    std::uint64_t bytes = 0;      // every byte fed
    std::uint64_t frames = 0;     // commands decoded
    std::uint64_t frameBytes = 0; // bytes of decoded commands, payloads included
    std::uint64_t checksumErrors = 0;
    std::uint64_t unknownCodes = 0;
    std::uint64_t skippedBytes = 0;  // garbage, and the first byte of every rejected header
    std::uint64_t droppedFrames = 0; // cut off by the end of the stream
    std::uint64_t droppedBytes = 0;
};

// Finds command frames in a byte stream fed in pieces of any size.
// A frame starts with FF 00 and ends with the 8-bit sum of its bytes 2 to 8.
// Commands 4 and 6 carry as many payload bytes as their third parameter says,
// command 5 carries a 54-byte glyph record; payload bytes are never taken for
// a header. After a bad frame the search for the next header starts at the
// byte after the bad header's FF.
class TFrameParser {
public:
    static constexpr std::size_t EVENT_BYTES = 32;

    using TSink = std::function<void(const TParserEvent&)>;

    explicit TFrameParser(TSink sink) : sink_(std::move(sink)) {}

    void Feed(std::string_view bytes);
    // The sender went away: an unfinished frame is reported as dropped and
    // forgotten. Returns the number of bytes dropped.
    std::size_t EndOfStream();

    const TParserCounters& Counters() const { return counters_; }
    // Bytes held back while waiting for the rest of a frame.
    std::size_t Pending() const { return buffer_.size() - start_; }

    // How many payload bytes follow a frame with this code and third parameter.
    static std::size_t PayloadLength(std::uint8_t code, std::uint8_t length);

private:
    bool Step();
    bool SyncToHeader();
    void Reject(TParserEvent::TKind kind);
    void Skip(std::size_t count);
    void Emit(TParserEvent::TKind kind, std::size_t count);
    void Compact();
    std::uint8_t At(std::size_t offset) const { return static_cast<std::uint8_t>(buffer_[start_ + offset]); }

    TSink sink_;
    std::string buffer_;
    std::size_t start_ = 0;
    TParserCounters counters_;
};
