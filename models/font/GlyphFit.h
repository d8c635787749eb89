#pragma once

// How one character's drawing is fitted into the cell, in pixels with y up
// and 0 at the baseline: parts above the capitals' top are pressed together
// (accents), then the whole shape is scaled (too wide, too tall).
struct TGlyphFit {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double accentFrom = 0.0; // heights above this are pressed: the gap to the accent by gapScale,
    double gapTo = 0.0;      // up to here,
    double gapScale = 1.0;
    double accentScale = 1.0; // the accent above it by accentScale
    int maxRows = 0;          // the most rows the drawing may take, 0 for any

    double MapX(double x) const { return x * scaleX; }
    double MapY(double y) const;
    double UnmapX(double x) const { return x / scaleX; }
    double UnmapY(double y) const;
};

// The ink box of a drawing, pixels, y up, 0 at the baseline.
struct TInkBox {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    double accentBottom = 0; // the lowest point of a separate part above the capitals (an accent), else 0
};

// The metrics of a face at its chosen size and the room in the cell.
struct TCellRoom {
    double capHeight = 14; // the capitals' height, pixels
    double xHeight = 10;   // the small letters' height, pixels
    int margin = 1;        // pixels kept free at the sides and the bottom for the outline
};

// Ink that goes more than this below the baseline is a descender.
constexpr double DESCENT_TOLERANCE = 0.5;

// The fit of a drawing with box ink: it fits the cell's width; a drawing
// that reaches above the cell has its accents pressed into the top rows; one
// with the gap between it and the letter kept one pixel high; one
// that reaches below the baseline is raised onto it and, if it then reaches
// above the small letters' room (or the capitals' for taller ones), scaled
// down to fit.
TGlyphFit FitGlyph(const TInkBox& ink, const TCellRoom& room);
