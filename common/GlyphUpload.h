#pragma once

#include "KR7.h"
#include "Progress.h"

#include <QImage>

#include <cstdint>

// Uploads one 12 x 18 glyph cell as glyph code. A picture that gives no record
// (null or of the wrong size) sends nothing.
void SendCharBitmap(TKR7& device, std::uint8_t code, const QImage& cell);

// Uploads the glyphs first..last (clamped to 0..255, increasing) of a 192 x 288
// glyph image, one glyph after another, stepping progress after each and
// stopping before the next glyph once progress is cancelled. A picture
// that gives no whole set sends nothing.
void SendCharsBitmap(TKR7& device, const QImage& chars, int first, TProgress* progress, int last);
