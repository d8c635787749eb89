// A whole glyph set out of arbitrary bytes: fewer than 13,824 bytes give no
// picture; otherwise a 192 x 288 picture that writes back to a set which
// reads again to the same picture.
#include "Glyphs.h"
#include "MemoryStream.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
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
        return 0;
    }
    Check(bytes.size() >= GLYPH_SET_BYTES);
    Check(chars->width() == CHARS_WIDTH && chars->height() == CHARS_HEIGHT);
    TMemoryStream written;
    WriteCharsBitmap(*chars, written);
    Check(written.Size() == GLYPH_SET_BYTES);
    TMemoryStream again(written.Bytes());
    const std::optional<QImage> reread = ReadCharsBitmap(again);
    Check(reread.has_value());
    TMemoryStream rewritten;
    WriteCharsBitmap(*reread, rewritten);
    Check(rewritten.Bytes() == written.Bytes());
    for (int code : {0, 0x41, 0xFF, static_cast<int>(data[size - 1])}) {
        const std::optional<QImage> cell = CopyCharBitmap(static_cast<std::uint8_t>(code), *chars);
        Check(cell && cell->width() == GLYPH_WIDTH && cell->height() == GLYPH_HEIGHT);
    }
    return 0;
}
