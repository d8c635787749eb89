// A whole glyph set out of arbitrary bytes: fewer than 13,824 bytes give no
// picture; otherwise a 192 x 288 picture that writes back to the records it
// was read from (value 1 written as 3: both are grey).
#include "Glyphs.h"
#include "MemoryStream.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// The records as they write back: a 2-bit value 01 becomes 11, so the upper
// bit of every pair whose lower bit is set gets set.
std::string WrittenBackRecords(const std::string& bytes) {
    std::string records = bytes.substr(0, GLYPH_SET_BYTES);
    for (char& c : records) {
        const auto b = static_cast<std::uint8_t>(c);
        c = static_cast<char>(b | (b & 0x55) << 1);
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Short inputs are the interesting ones for the reader; pad the rest with
    // a repeating copy so that whole sets get exercised too.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size > 1 && data[0] == 0x01 && size < GLYPH_SET_BYTES) {
        const std::string tail = bytes.substr(1);
        bytes.clear();
        while (bytes.size() < GLYPH_SET_BYTES)
            bytes += tail;
    }
    TMemoryStream stream(bytes);
    const std::optional<QImage> chars = ReadCharsBitmap(stream);
    if (!chars) {
        Check(bytes.size() < GLYPH_SET_BYTES);
        Check(stream.Position() == bytes.size());
        return 0;
    }
    Check(bytes.size() >= GLYPH_SET_BYTES && stream.Position() == GLYPH_SET_BYTES);
    Check(chars->width() == CHARS_WIDTH && chars->height() == CHARS_HEIGHT);
    TMemoryStream written;
    WriteCharsBitmap(*chars, written);
    Check(written.Size() == GLYPH_SET_BYTES);
    Check(written.Bytes() == WrittenBackRecords(bytes));
    for (int code : {0, 0x41, 0xFF, static_cast<int>(data[size - 1])}) {
        const std::optional<QImage> cell = CopyCharBitmap(static_cast<std::uint8_t>(code), *chars);
        Check(cell && cell->width() == GLYPH_WIDTH && cell->height() == GLYPH_HEIGHT);
    }
    return 0;
}
