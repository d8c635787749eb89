#pragma once

#include "CharsImage.h"
#include "KR7.h"
#include "Progress.h"

#include <QImage>

// Cuts the 360 x 288 logo view into 30 x 16 cells and fills the logo table of
// device: code 0 for an empty cell, CODE_WHITE / CODE_BLACK for a wholly white
// or black cell, LOGO_FIRST_CODE + k for a cell showing tile k. Identical cells
// share a tile. The rows are trimmed to the part of the screen the glyph cells
// use; with no glyph cell at all the table ends empty. count is raised by one
// per new tile. False (table emptied, count LOGO_MAX_TILES) when a cell would
// need more than LOGO_MAX_TILES tiles; false with nothing changed for a view of
// another size. progress (may be null) gets 480 steps, one per cell.
bool BuildLogoTable(TKR7& device, const QImage& view, int& count, TProgress* progress);

// Releases every tile and empties the rows; the origin keeps its value.
void ClearLogoTable(TKR7& device);
// True while the table holds at least one row.
bool IsLogoGenerated(const TKR7& device);
// Draws tile k into the cell of glyph code LOGO_FIRST_CODE + k.
void DrawLogoTiles(const TKR7& device, TCharsImage& glyphImage);

// True when no pixel is pure black or pure white.
bool IsEmptyTile(const QImage& image);
// True when every pixel has exactly colour (0xRRGGBB).
bool IsUniformTile(const QImage& image, QRgb colour);
// True when both pictures have the same size and the same 32-bit pixels.
bool SameTile(const QImage& a, const QImage& b);

// One WriteCodes per row, at the logo's origin; empty rows send nothing.
void SendLogoRows(TKR7& device);
// One glyph upload per tile, codes LOGO_FIRST_CODE upward; progress (may be
// null) gets the number of tiles as its maximum and one step per tile.
void SendLogoTiles(TKR7& device, TProgress* progress);
