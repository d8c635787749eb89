// One glyph record after another out of arbitrary bytes: a short tail must
// give no picture, every whole record a 12 x 18 picture whose pixels are only
// the three levels, and writing it back must give the same 54 bytes.
#include "Glyphs.h"
#include "MemoryStream.h"

#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool IsLevel(QRgb pixel) {
    const QRgb rgb = pixel & 0xFFFFFFu;
    return rgb == LEVEL_BLACK || rgb == LEVEL_GREY || rgb == LEVEL_WHITE;
}

void CheckRecord(const QImage& cell, const std::uint8_t* record) {
    Check(cell.width() == GLYPH_WIDTH && cell.height() == GLYPH_HEIGHT);
    for (int y = 0; y < GLYPH_HEIGHT; ++y)
        for (int x = 0; x < GLYPH_WIDTH; ++x)
            Check(IsLevel(cell.pixel(x, y)));
    TMemoryStream out;
    WriteCharBitmap(cell, out);
    Check(out.Size() == GLYPH_RECORD_SIZE);
    // Value 1 and 3 both read as grey and grey writes back as 3: compare with
    // 1 mapped to 3.
    for (std::size_t i = 0; i < GLYPH_RECORD_SIZE; ++i) {
        std::uint8_t expected = 0;
        for (int shift = 6; shift >= 0; shift -= 2) {
            std::uint8_t v = (record[i] >> shift) & 3;
            expected = static_cast<std::uint8_t>(expected | (v == 1 ? 3 : v) << shift);
        }
        Check(static_cast<std::uint8_t>(out.Bytes()[i]) == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream(std::string(reinterpret_cast<const char*>(data), size));
    std::size_t records = 0;
    for (;;) {
        const std::size_t before = stream.Position();
        const std::optional<QImage> cell = ReadCharBitmap(stream);
        if (!cell) {
            Check(size - before < GLYPH_RECORD_SIZE);
            break;
        }
        Check(stream.Position() == before + GLYPH_RECORD_SIZE);
        CheckRecord(*cell, data + before);
        ++records;
    }
    Check(records == size / GLYPH_RECORD_SIZE);
    return 0;
}
