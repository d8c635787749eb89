#include "GlyphGrid.h"

#include "Glyphs.h"

TGlyphGrid TGlyphGrid::Filled(QRgb colour) {
    TGlyphGrid grid;
    grid.colours_.fill(colour & 0xFFFFFFu);
    return grid;
}

TGlyphGrid TGlyphGrid::FromImage(const QImage& chars, int code) {
    TGlyphGrid grid = Filled(LEVEL_GREY);
    const QPoint origin = GlyphOrigin(code);
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            if (chars.valid(origin.x() + column, origin.y() + row))
                grid.Set(column, row, chars.pixel(origin.x() + column, origin.y() + row));
    return grid;
}

TGlyphGrid TGlyphGrid::Shifted(int dx, int dy) const {
    TGlyphGrid moved = Filled(LEVEL_GREY);
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            if (Contains(column + dx, row + dy))
                moved.Set(column + dx, row + dy, At(column, row));
    return moved;
}

QRgb StrokeColour(TStrokeButton button, QRgb current) {
    if ((current & 0xFFFFFFu) != LEVEL_GREY)
        return LEVEL_GREY;
    return button == TStrokeButton::Left ? LEVEL_WHITE : LEVEL_BLACK;
}
