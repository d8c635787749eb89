#include "GlyphPreview.h"

#include "Glyphs.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr QRgb FRAME_COLOUR = 0xFF606060u;

} // namespace

QImage GlyphSetPreview(const QImage& chars, int zoom) {
    zoom = std::max(zoom, 1);
    const int columns = chars.width() / GLYPH_WIDTH;
    const int rows = chars.height() / GLYPH_HEIGHT;
    const int cellWidth = GLYPH_WIDTH * zoom + 1;
    const int cellHeight = GLYPH_HEIGHT * zoom + 1;
    QImage preview(columns * cellWidth + 1, rows * cellHeight + 1, QImage::Format_RGB32);
    preview.fill(FRAME_COLOUR);
    QPainter painter(&preview);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect source(column * GLYPH_WIDTH, row * GLYPH_HEIGHT, GLYPH_WIDTH, GLYPH_HEIGHT);
            const QRect target(column * cellWidth + 1, row * cellHeight + 1, GLYPH_WIDTH * zoom, GLYPH_HEIGHT * zoom);
            painter.drawImage(target, chars, source);
        }
    }
    return preview;
}
