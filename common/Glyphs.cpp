#include "Glyphs.h"

#include <array>
#include <cstring>

namespace {

constexpr QRgb OPAQUE = 0xFF000000u;

// Pixels of the 2-bit record values 0..3: black, grey, white, grey.
constexpr QRgb RECORD_COLOURS[4] = {OPAQUE | LEVEL_BLACK, OPAQUE | LEVEL_GREY, OPAQUE | LEVEL_WHITE,
                                    OPAQUE | LEVEL_GREY};

// The four pixels of every record byte, the first pixel in its top bits.
struct TFourPixels {
    QRgb pixel[4];
};

// Plain arrays: the decoding loop indexes them without a call, also in the
// fuzz builds, where instrumented accessors are not inlined into it.
struct TByteTable {
    TFourPixels of[256];
};

constexpr TByteTable MakeByteTable() {
    TByteTable table{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned i = 0; i < 4; ++i)
            table.of[b].pixel[i] = RECORD_COLOURS[(b >> (6 - 2 * i)) & 3];
    return table;
}

constexpr TByteTable BYTE_PIXELS = MakeByteTable();

constexpr std::size_t RECORD_ROW_BYTES = 3;

void NewBitmap(QImage& picture, int width, int height) {
    picture = QImage(width, height, QImage::Format_RGB32);
    picture.fill(OPAQUE | LEVEL_GREY);
}

// The record value of one pixel: exact black 0, exact white 2, anything else
// 3. Branch-free: glyph pictures mix the levels at random.
inline unsigned RecordValue(QRgb pixel) {
    const QRgb colour = pixel & 0xFFFFFFu;
    return 3u - 3u * static_cast<unsigned>(colour == LEVEL_BLACK) - static_cast<unsigned>(colour == LEVEL_WHITE);
}

// Decodes one record into the 12 x 18 cell of picture whose top left is (x0, y0).
void DecodeRecord(const std::uint8_t* record, QImage& picture, int x0, int y0) {
    for (int y = 0; y < GLYPH_HEIGHT; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y0 + y)) + x0;
        for (std::size_t g = 0; g < RECORD_ROW_BYTES; ++g, line += 4) {
            const TFourPixels& four = BYTE_PIXELS.of[*record++];
            line[0] = four.pixel[0];
            line[1] = four.pixel[1];
            line[2] = four.pixel[2];
            line[3] = four.pixel[3];
        }
    }
}

// Encodes the 12 x 18 cell of an RGB32 picture whose top left is (x0, y0).
void EncodeRecord(const QImage& picture, int x0, int y0, std::uint8_t* record) {
    for (int y = 0; y < GLYPH_HEIGHT; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y0 + y)) + x0;
        for (std::size_t g = 0; g < RECORD_ROW_BYTES; ++g) {
            *record++ = static_cast<std::uint8_t>(RecordValue(line[0]) << 6 | RecordValue(line[1]) << 4 |
                                                  RecordValue(line[2]) << 2 | RecordValue(line[3]));
            line += 4;
        }
    }
}

// The bytes left to read; a stream too short for count is used up, as a
// byte-by-byte read would, and gives nullptr.
const std::uint8_t* TakeBytes(TMemoryStream& stream, std::size_t count) {
    const std::size_t pos = stream.Position();
    if (stream.Size() - pos < count) {
        stream.Seek(stream.Size());
        return nullptr;
    }
    stream.Seek(pos + count);
    return reinterpret_cast<const std::uint8_t*>(stream.Bytes().data()) + pos;
}

// picture in the pixel format the conversions work on, or a null image for a
// null picture or one of the wrong size.
QImage Rgb32OfSize(const QImage& picture, int width, int height) {
    if (picture.isNull() || picture.width() != width || picture.height() != height)
        return {};
    if (picture.format() == QImage::Format_RGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void NewCharsBitmap(QImage& picture) {
    NewBitmap(picture, CHARS_WIDTH, CHARS_HEIGHT);
}

void NewCharBitmap(QImage& picture) {
    NewBitmap(picture, GLYPH_WIDTH, GLYPH_HEIGHT);
}

void NewScreenBitmap(QImage& picture) {
    NewBitmap(picture, SCREEN_WIDTH, SCREEN_HEIGHT);
}

std::optional<QImage> ReadCharBitmap(TMemoryStream& stream) {
    const std::uint8_t* record = TakeBytes(stream, GLYPH_RECORD_SIZE);
    if (record == nullptr)
        return std::nullopt;
    // Every pixel is decoded, so the picture needs no grey fill first.
    QImage cell(GLYPH_WIDTH, GLYPH_HEIGHT, QImage::Format_RGB32);
    if (cell.isNull())
        return std::nullopt;
    DecodeRecord(record, cell, 0, 0);
    return cell;
}

std::optional<QImage> ReadCharsBitmap(TMemoryStream& stream) {
    const std::uint8_t* records = TakeBytes(stream, GLYPH_SET_BYTES);
    if (records == nullptr)
        return std::nullopt;
    QImage chars(CHARS_WIDTH, CHARS_HEIGHT, QImage::Format_RGB32);
    if (chars.isNull())
        return std::nullopt;
    for (int code = 0; code < 256; ++code) {
        const QPoint origin = GlyphOrigin(code);
        DecodeRecord(records + code * GLYPH_RECORD_SIZE, chars, origin.x(), origin.y());
    }
    return chars;
}

std::optional<QImage> CopyCharBitmap(std::uint8_t code, const QImage& chars) {
    if (chars.isNull() || chars.width() != CHARS_WIDTH || chars.height() != CHARS_HEIGHT)
        return std::nullopt;
    QImage cell = chars.copy(QRect(GlyphOrigin(code), QSize(GLYPH_WIDTH, GLYPH_HEIGHT)));
    if (cell.format() != QImage::Format_RGB32)
        cell = cell.convertToFormat(QImage::Format_RGB32);
    if (cell.isNull())
        return std::nullopt;
    return cell;
}

void WriteCharBitmap(const QImage& cell, TMemoryStream& stream) {
    const QImage picture = Rgb32OfSize(cell, GLYPH_WIDTH, GLYPH_HEIGHT);
    if (picture.isNull())
        return;
    std::array<std::uint8_t, GLYPH_RECORD_SIZE> record{};
    EncodeRecord(picture, 0, 0, record.data());
    stream.Write(reinterpret_cast<const char*>(record.data()), record.size());
}

void WriteCharsBitmap(const QImage& chars, TMemoryStream& stream) {
    const QImage picture = Rgb32OfSize(chars, CHARS_WIDTH, CHARS_HEIGHT);
    if (picture.isNull())
        return;
    std::array<std::uint8_t, GLYPH_SET_BYTES> records{};
    for (int code = 0; code < 256; ++code) {
        const QPoint origin = GlyphOrigin(code);
        EncodeRecord(picture, origin.x(), origin.y(), records.data() + code * GLYPH_RECORD_SIZE);
    }
    stream.Write(reinterpret_cast<const char*>(records.data()), records.size());
}
