#include "FrameParser.h"

#include "KR7.h"

#include <algorithm>

namespace {

constexpr char HEADER[] = {static_cast<char>(FRAME_HEADER_0), static_cast<char>(FRAME_HEADER_1)};

} // namespace

std::string TDeviceCommand::Bytes() const {
    std::string out;
    out.reserve(FRAME_SIZE + payload.size());
    out.push_back(HEADER[0]);
    out.push_back(HEADER[1]);
    out.push_back(static_cast<char>(code));
    for (std::uint8_t p : params)
        out.push_back(static_cast<char>(p));
    std::uint8_t frame[FRAME_SIZE] = {};
    std::copy(out.begin(), out.end(), frame);
    out.push_back(static_cast<char>(FrameChecksum(frame)));
    out += payload;
    return out;
}

std::size_t TFrameParser::PayloadLength(std::uint8_t code, std::uint8_t length) {
    switch (static_cast<TCommand>(code)) {
    case TCommand::WriteText:
    case TCommand::WriteCodes:
        return length;
    case TCommand::LoadGlyph:
        return GLYPH_RECORD_SIZE;
    default:
        return 0;
    }
}

void TFrameParser::Feed(std::string_view bytes) {
    counters_.bytes += bytes.size();
    buffer_.append(bytes);
    while (Step()) {
    }
    Compact();
}

std::size_t TFrameParser::EndOfStream() {
    const std::size_t pending = Pending();
    if (pending == 0)
        return 0;
    ++counters_.droppedFrames;
    counters_.droppedBytes += pending;
    Emit(TParserEvent::TKind::Dropped, pending);
    buffer_.clear();
    start_ = 0;
    return pending;
}

// Decodes or rejects one frame at the read position; false when more bytes are needed.
bool TFrameParser::Step() {
    if (!SyncToHeader() || Pending() < FRAME_SIZE)
        return false;
    std::uint8_t frame[FRAME_SIZE];
    for (std::size_t i = 0; i < FRAME_SIZE; ++i)
        frame[i] = At(i);
    if (FrameChecksum(frame) != frame[9]) {
        ++counters_.checksumErrors;
        Reject(TParserEvent::TKind::ChecksumError);
        return true;
    }
    if (frame[2] > LAST_COMMAND_CODE) {
        ++counters_.unknownCodes;
        Reject(TParserEvent::TKind::UnknownCode);
        return true;
    }
    const std::size_t payload = PayloadLength(frame[2], frame[5]);
    if (Pending() < FRAME_SIZE + payload)
        return false;

    TParserEvent event;
    event.kind = TParserEvent::TKind::Command;
    event.command.code = static_cast<TCommand>(frame[2]);
    std::copy(frame + 3, frame + 9, event.command.params.begin());
    event.command.payload = buffer_.substr(start_ + FRAME_SIZE, payload);
    event.byteCount = FRAME_SIZE + payload;
    start_ += event.byteCount;
    ++counters_.frames;
    counters_.frameBytes += event.byteCount;
    if (sink_)
        sink_(event);
    return true;
}

// Moves the read position to the next FF 00; false when none is in sight yet.
// A trailing FF is kept, since the 00 may still come.
bool TFrameParser::SyncToHeader() {
    const std::string_view rest(buffer_.data() + start_, Pending());
    const std::size_t found = rest.find(std::string_view(HEADER, 2));
    if (found != std::string_view::npos) {
        Skip(found);
        return true;
    }
    const bool keepLast = !rest.empty() && rest.back() == HEADER[0];
    Skip(rest.size() - (keepLast ? 1 : 0));
    return false;
}

void TFrameParser::Reject(TParserEvent::TKind kind) {
    Emit(kind, FRAME_SIZE);
    ++counters_.skippedBytes;
    ++start_;
}

void TFrameParser::Skip(std::size_t count) {
    if (count == 0)
        return;
    counters_.skippedBytes += count;
    Emit(TParserEvent::TKind::Skipped, count);
    start_ += count;
}

void TFrameParser::Emit(TParserEvent::TKind kind, std::size_t count) {
    if (!sink_)
        return;
    TParserEvent event;
    event.kind = kind;
    event.byteCount = count;
    event.bytes = buffer_.substr(start_, std::min(count, EVENT_BYTES));
    sink_(event);
}

void TFrameParser::Compact() {
    if (start_ == 0)
        return;
    buffer_.erase(0, start_);
    start_ = 0;
}
