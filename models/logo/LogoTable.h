#pragma once

#include "CharsImage.h"
#include "KR7.h"
#include "Progress.h"

#include <QImage>

#include <array>
#include <optional>
#include <string>
#include <vector>

struct TLogoOrigin {
    int column = 0;
    int row = 0;
};

// The logo table: the rows of glyph codes, where they start on the screen,
// and the tile images behind codes LOGO_FIRST_CODE upward.
struct TLogoTable {
    std::vector<std::string> LogoRows;
    TLogoOrigin LogoOrigin;
    std::array<std::optional<QImage>, LOGO_MAX_TILES> LogoTiles;
    int TileCount = 0;   // tiles in use, LOGO_MAX_TILES after a failure
    bool Failed = false; // more than LOGO_MAX_TILES tiles were needed
};

// Cuts the 360 x 288 logo view into 30 x 16 cells and builds a logo table:
// code 0 for an empty cell, CODE_WHITE / CODE_BLACK for a wholly white or
// black cell, LOGO_FIRST_CODE + k for a cell showing tile k. Identical cells
// share a tile. The rows are trimmed to the part of the screen the glyph cells
// use; with no glyph cell at all the table is empty. When a cell would need
// more than LOGO_MAX_TILES tiles the table is empty, Failed is set and
// TileCount is LOGO_MAX_TILES. None for a view of another size. progress (may
// be null) gets 480 steps, one per cell.
std::optional<TLogoTable> BuildLogoTable(const QImage& view, TProgress* progress);

// Releases every tile and empties the rows; the origin keeps its value.
void ClearLogoTable(TLogoTable& table);
// True while the table holds at least one row.
bool IsLogoGenerated(const TLogoTable& table);
// Draws tile k into the cell of glyph code LOGO_FIRST_CODE + k.
void DrawLogoTiles(const TLogoTable& table, TCharsImage& glyphImage);

// True when no pixel is pure black or pure white.
bool IsEmptyTile(const QImage& image);
// True when every pixel has exactly colour (0xRRGGBB).
bool IsUniformTile(const QImage& image, QRgb colour);
// True when both pictures have the same size and the same 32-bit pixels.
bool SameTile(const QImage& a, const QImage& b);

// One WriteCodes per row, at the logo's origin; empty rows send nothing.
void SendLogoRows(TKR7& device, const TLogoTable& table);
// One glyph upload per tile, codes LOGO_FIRST_CODE upward; progress (may be
// null) gets the number of tiles as its maximum and one step per tile; a
// cancelled progress stops the uploads before the next tile.
void SendLogoTiles(TKR7& device, const TLogoTable& table, TProgress* progress);
