// The emulator's frame parser on arbitrary bytes, fed once whole and once in
// pieces whose sizes the input picks: both give the same events, every byte
// is accounted for, and every command is a well-formed frame.
#include "FrameParser.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

struct TRecorded {
    std::vector<TParserEvent> events;
    TParserCounters counters;
    std::size_t dropped = 0;
};

bool Same(const TParserEvent& a, const TParserEvent& b) {
    return a.kind == b.kind && a.byteCount == b.byteCount && a.bytes == b.bytes &&
           a.command.Bytes() == b.command.Bytes();
}

void CheckCommand(const TDeviceCommand& command) {
    const std::string bytes = command.Bytes();
    Check(bytes.size() >= FRAME_SIZE);
    Check(static_cast<std::uint8_t>(bytes[0]) == 0xFF && bytes[1] == 0);
    std::uint8_t sum = 0;
    for (int i = 2; i <= 8; ++i)
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(bytes[i]));
    Check(static_cast<std::uint8_t>(bytes[9]) == sum);
    Check(static_cast<std::uint8_t>(command.code) <= LAST_COMMAND_CODE);
    Check(command.payload.size() ==
          TFrameParser::PayloadLength(static_cast<std::uint8_t>(command.code), command.params[2]));
}

TRecorded Run(const std::string& bytes, const std::vector<std::size_t>& pieces) {
    TRecorded recorded;
    TFrameParser parser([&recorded](const TParserEvent& event) { recorded.events.push_back(event); });
    std::size_t at = 0;
    for (std::size_t piece : pieces) {
        if (at >= bytes.size())
            break;
        const std::size_t n = std::min(piece, bytes.size() - at);
        parser.Feed(std::string_view(bytes).substr(at, n));
        at += n;
    }
    if (at < bytes.size())
        parser.Feed(std::string_view(bytes).substr(at));
    recorded.dropped = parser.EndOfStream();
    Check(parser.Pending() == 0);
    recorded.counters = parser.Counters();
    return recorded;
}

} // namespace

// Input: one byte n, then n piece sizes (one byte each), then the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t count = std::min<std::size_t>(data[0] % 16, size - 1);
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < count; ++i)
        pieces.push_back(data[1 + i]);
    const std::string bytes(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);

    const TRecorded whole = Run(bytes, {});
    const TRecorded split = Run(bytes, pieces);

    const TParserCounters& c = whole.counters;
    Check(c.bytes == bytes.size());
    Check(c.frameBytes + c.skippedBytes + c.droppedBytes == c.bytes);
    Check(c.droppedBytes == whole.dropped);
    std::uint64_t commands = 0;
    for (const TParserEvent& event : whole.events) {
        Check(event.bytes.size() <= TFrameParser::EVENT_BYTES + GLYPH_RECORD_SIZE + 256 + 10);
        if (event.kind == TParserEvent::TKind::Command) {
            CheckCommand(event.command);
            ++commands;
        }
    }
    Check(commands == c.frames);

    // The split feed may cut garbage runs into more events; the commands and
    // the totals must agree.
    Check(split.counters.frames == c.frames && split.counters.frameBytes == c.frameBytes &&
          split.counters.skippedBytes == c.skippedBytes && split.counters.droppedBytes == c.droppedBytes &&
          split.counters.checksumErrors == c.checksumErrors && split.counters.unknownCodes == c.unknownCodes);
    std::vector<const TParserEvent*> a, b;
    for (const TParserEvent& e : whole.events)
        if (e.kind == TParserEvent::TKind::Command)
            a.push_back(&e);
    for (const TParserEvent& e : split.events)
        if (e.kind == TParserEvent::TKind::Command)
            b.push_back(&e);
    Check(a.size() == b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        Check(Same(*a[i], *b[i]));
    return 0;
}
