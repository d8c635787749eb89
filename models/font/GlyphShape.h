#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

// A character's strokes as a grid of on/off pixels, rows from the top; rows
// before baseline lie above the font's baseline.
struct TInk {
    int width = 0;
    int height = 0;
    int baseline = 0;
    std::vector<std::uint8_t> on; // width * height, row by row

    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && on[y * width + x]; }
};

// ink without its empty rows and columns, the baseline kept in place.
TInk Cropped(const TInk& ink);

// Widens every stroke by pixels to the right and upwards, so that what
// rests on the baseline still does.
TInk Thickened(const TInk& ink, int pixels);

// The width of the vertical strokes of ink: the mean run of on pixels across
// the row at share of its height from the top.
double StrokeWidth(const TInk& ink, double share);

// Draws ink into the 12 x 18 cell with its top left at (left, top) of chars:
// centred across the room inside the margin; resting on the bottom row of
// the room when it reaches the baseline, else keeping its height above the
// baseline; white strokes with, when outline is set, a one-pixel black edge
// (eight-neighbourhood) on grey.
void DrawGlyph(const TInk& ink, bool outline, QImage& chars, int left, int top);

// The number of rows between the first and the last row with ink; 0 for none.
int InkRows(const TInk& ink);
