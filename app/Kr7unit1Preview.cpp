// The live preview of the device screen, drawn with the current glyph set.
#include "CharTable.h"
#include "Glyphs.h"
#include "KR7.h"
#include "Kr7unit1.h"
#include "ui_Kr7unit1.h"

#include <cstring>

void TFormKR7::DrawCode(int col, int row, int code) {
    const int x = GLYPH_WIDTH * col;
    const int y = GLYPH_HEIGHT * row;
    if (col < 0 || row < 0 || x + GLYPH_WIDTH > preview_.width() || y + GLYPH_HEIGHT > preview_.height())
        return; // outside the screen: leaves no mark
    const QImage& chars = chars_.Image();
    const QPoint origin = GlyphOrigin(code & 0xFF);
    if (origin.x() + GLYPH_WIDTH > chars.width() || origin.y() + GLYPH_HEIGHT > chars.height())
        return;
    for (int i = 0; i < GLYPH_HEIGHT; ++i) {
        const auto* source = reinterpret_cast<const QRgb*>(chars.constScanLine(origin.y() + i)) + origin.x();
        auto* target = reinterpret_cast<QRgb*>(preview_.scanLine(y + i)) + x;
        std::memcpy(target, source, GLYPH_WIDTH * sizeof(QRgb));
    }
    ui_->ImagePreview->update(x, y, GLYPH_WIDTH, GLYPH_HEIGHT);
}

void TFormKR7::DrawChar(int col, int row, unsigned char ch) {
    DrawCode(col, row, CharToCode(ch));
}

void TFormKR7::DrawText(int row, const std::string& text) {
    const std::size_t n = std::min<std::size_t>(text.size(), SCREEN_COLUMNS);
    for (std::size_t i = 0; i < n; ++i)
        DrawChar(static_cast<int>(i), row, static_cast<unsigned char>(text[i]));
}

void TFormKR7::ClearPreview() {
    preview_.fill(QColor::fromRgb(LEVEL_GREY));
    ui_->ImagePreview->update();
}

void TFormKR7::OutputRow(int row, const std::string& text) {
    if (IsConnectChecked())
        device_->WriteText(0, row, text);
    if (IsPreviewActive())
        DrawText(row, text);
}
