#include "shell/Preview.h"

#include "CharTable.h"
#include "CharsImage.h"
#include "Glyphs.h"
#include "KR7.h"
#include "Protocol.h"
#include "logo/ImageView.h"
#include "shell/WindowServices.h"

#include <algorithm>
#include <cstring>

TPreview::TPreview(TImageView& view, const TCharsImage& chars, TKR7& device, const TShellState& shell)
    : view_(view), chars_(chars), device_(device), shell_(shell) {
    for (std::size_t n = 0; n < spaces_.size(); ++n)
        spaces_[n] = std::string(n, ' ');
    NewScreenBitmap(preview_);
    view_.SetImage(&preview_);
}

void TPreview::DrawCode(int col, int row, int code) {
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
    view_.update(x, y, GLYPH_WIDTH, GLYPH_HEIGHT);
}

void TPreview::DrawChar(int col, int row, unsigned char ch) {
    DrawCode(col, row, CharToCode(ch));
}

void TPreview::DrawText(int row, const std::string& text) {
    const std::size_t n = std::min<std::size_t>(text.size(), SCREEN_COLUMNS);
    for (std::size_t i = 0; i < n; ++i)
        DrawChar(static_cast<int>(i), row, static_cast<unsigned char>(text[i]));
}

void TPreview::ClearPreview() {
    preview_.fill(QColor::fromRgb(LEVEL_GREY));
    view_.update();
}

void TPreview::OutputRow(int row, const std::string& text) {
    if (shell_.IsConnectChecked())
        device_.WriteText(0, row, text);
    if (shell_.IsPreviewActive())
        DrawText(row, text);
}
