#include "GlyphUpload.h"

#include "Glyphs.h"
#include "MemoryStream.h"

#include <algorithm>

namespace {

const std::uint8_t* RecordAt(const TMemoryStream& stream, std::size_t offset) {
    return reinterpret_cast<const std::uint8_t*>(stream.Bytes().data()) + offset;
}

} // namespace

void SendCharBitmap(TKR7& device, std::uint8_t code, const QImage& cell) {
    TMemoryStream stream;
    WriteCharBitmap(cell, stream);
    if (stream.Size() < GLYPH_RECORD_SIZE)
        return;
    device.LoadGlyph(code, RecordAt(stream, 0));
}

void SendCharsBitmap(TKR7& device, const QImage& chars, int first, TProgress* progress, int last) {
    first = std::clamp(first, 0, 255);
    last = std::clamp(last, 0, 255);
    if (progress != nullptr)
        progress->SetMax(std::max(0, last - first + 1));
    TMemoryStream stream;
    WriteCharsBitmap(chars, stream);
    if (stream.Size() < GLYPH_SET_BYTES)
        return;
    for (int code = first; code <= last; ++code) {
        if (progress != nullptr && progress->Cancelled())
            return;
        device.LoadGlyph(code, RecordAt(stream, GLYPH_RECORD_SIZE * static_cast<std::size_t>(code)));
        if (progress != nullptr)
            progress->Step();
    }
}
