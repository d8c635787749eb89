#pragma once

#include "MemoryStream.h"
#include "Protocol.h"

#include <QImage>
#include <QPoint>

#include <cstddef>
#include <cstdint>
#include <optional>

// Pixel levels, as 0xRRGGBB. Pictures are QImage::Format_RGB32; the fourth
// byte of a pixel is ignored wherever pixels are compared.
constexpr QRgb LEVEL_BLACK = 0x000000;
constexpr QRgb LEVEL_GREY = 0x808080;
constexpr QRgb LEVEL_WHITE = 0xFFFFFF;

constexpr int CHARS_WIDTH = 192;  // 16 glyphs across
constexpr int CHARS_HEIGHT = 288; // 16 glyphs down

// Top left pixel of glyph code in the glyph image.
inline QPoint GlyphOrigin(int code) {
    return {GLYPH_WIDTH * (code & 0xF), GLYPH_HEIGHT * ((code >> 4) & 0xF)};
}

// New blank (grey) pictures: the glyph image, one glyph cell, the screen.
void NewCharsBitmap(QImage& picture);
void NewCharBitmap(QImage& picture);
void NewScreenBitmap(QImage& picture);

// One 54-byte glyph record at the stream's position, or none if it ran short.
std::optional<QImage> ReadCharBitmap(TMemoryStream& stream);
// 256 records, or none if any could not be read.
std::optional<QImage> ReadCharsBitmap(TMemoryStream& stream);
// A copy of glyph code out of a glyph image, or none on failure.
std::optional<QImage> CopyCharBitmap(std::uint8_t code, const QImage& chars);
// Appends the record of a 12 x 18 cell (54 bytes); nothing for a wrong size.
void WriteCharBitmap(const QImage& cell, TMemoryStream& stream);
// Appends the 256 records of a 192 x 288 glyph image; nothing for a wrong size.
void WriteCharsBitmap(const QImage& chars, TMemoryStream& stream);
