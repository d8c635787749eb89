#pragma once

#include "Protocol.h"

#include <QRect>

// Where the glyph editor's cells stand in their panel: one cell a pixel of
// the active glyph, neighbouring cells sharing their one-pixel border.
constexpr int CHAR_CELL_PITCH = 13;
constexpr int CHAR_CELL_SIZE = 14;

inline QRect CharCellRect(int column, int row) {
    return {CHAR_CELL_PITCH * column + 1, CHAR_CELL_PITCH * row + 1, CHAR_CELL_SIZE, CHAR_CELL_SIZE};
}

// The cell index along one axis under a panel coordinate: the later (right or
// lower) of two cells that share a border lies on top. -1 outside the grid.
inline int CharCellIndexAt(int coordinate, int count) {
    if (coordinate < 1 || coordinate > CHAR_CELL_PITCH * (count - 1) + CHAR_CELL_SIZE)
        return -1;
    const int index = (coordinate - 1) / CHAR_CELL_PITCH;
    return index < count ? index : count - 1;
}
