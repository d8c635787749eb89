#pragma once

#include "Protocol.h"

#include <QImage>
#include <QRgb>

#include <array>
#include <cstddef>

// One glyph as the editor shows it: 12 x 18 colours, column by row. The
// editor's own strokes set the three levels; a glyph loaded from a picture
// keeps whatever colours it came with.
class TGlyphGrid {
public:
    // Every pixel of colour (grey unless told).
    static TGlyphGrid Filled(QRgb colour);
    // Glyph code of a 192 x 288 glyph image; pixels outside the image read grey.
    static TGlyphGrid FromImage(const QImage& chars, int code);

    QRgb At(int column, int row) const { return colours_[Index(column, row)]; }
    void Set(int column, int row, QRgb colour) { colours_[Index(column, row)] = colour & 0xFFFFFFu; }
    // Moved by dx columns and dy rows: no wrap, what leaves is lost, what is
    // left empty turns grey.
    TGlyphGrid Shifted(int dx, int dy) const;

    bool operator==(const TGlyphGrid&) const = default;

    static bool Contains(int column, int row) {
        return column >= 0 && column < GLYPH_WIDTH && row >= 0 && row < GLYPH_HEIGHT;
    }

private:
    static std::size_t Index(int column, int row) { return static_cast<std::size_t>(GLYPH_WIDTH * row + column); }

    std::array<QRgb, static_cast<std::size_t>(GLYPH_WIDTH* GLYPH_HEIGHT)> colours_{};
};

// The mouse buttons that paint: the left one wins when both are held.
enum class TStrokeButton { Left, Right };

// The colour a press paints on a pixel now of colour current: a grey pixel
// takes white (left) or black (right), any other colour turns grey.
QRgb StrokeColour(TStrokeButton button, QRgb current);
