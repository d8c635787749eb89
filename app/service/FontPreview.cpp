#include "service/FontPreview.h"

#include "FontCharacters.h"
#include "Glyphs.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int COLUMNS = 16;
constexpr int ROWS = (FONT_LAST_CODE >> 4) + 1; // codes 0..111
constexpr int GAP = 12;                         // between the two sets, pixels
constexpr int MIN_ZOOM = 2;
constexpr int SHOWN_ZOOM = 3;
constexpr QRgb GRID_COLOUR = 0xFF606060u;

int SetWidth(int zoom) {
    return COLUMNS * (GLYPH_WIDTH * zoom + 1) + 1;
}

int SetHeight(int zoom) {
    return ROWS * (GLYPH_HEIGHT * zoom + 1) + 1;
}

} // namespace

TFontPreview::TFontPreview(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(2 * SetWidth(MIN_ZOOM) + GAP, SetHeight(MIN_ZOOM));
}

void TFontPreview::SetCurrent(const QImage& chars) {
    current_ = chars;
    update();
}

void TFontPreview::SetFont(const QImage& chars) {
    font_ = chars;
    update();
}

int TFontPreview::Zoom() const {
    int zoom = MIN_ZOOM;
    while (2 * SetWidth(zoom + 1) + GAP <= width() && SetHeight(zoom + 1) <= height())
        ++zoom;
    return zoom;
}

QSize TFontPreview::sizeHint() const {
    return {2 * SetWidth(SHOWN_ZOOM) + GAP, SetHeight(SHOWN_ZOOM)};
}

void TFontPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int zoom = Zoom();
    PaintSet(painter, current_, 0, zoom);
    PaintSet(painter, font_, SetWidth(zoom) + GAP, zoom);
}

void TFontPreview::PaintSet(QPainter& painter, const QImage& chars, int left, int zoom) const {
    painter.fillRect(left, 0, SetWidth(zoom), SetHeight(zoom), QColor::fromRgb(GRID_COLOUR));
    if (chars.width() != CHARS_WIDTH || chars.height() != CHARS_HEIGHT)
        return;
    for (int code = 0; code <= FONT_LAST_CODE; ++code) {
        const QPoint origin = GlyphOrigin(code);
        const QRect target(left + 1 + (code & 0xF) * (GLYPH_WIDTH * zoom + 1),
                           1 + (code >> 4) * (GLYPH_HEIGHT * zoom + 1), GLYPH_WIDTH * zoom, GLYPH_HEIGHT * zoom);
        if (code < FONT_FIRST_CODE)
            painter.fillRect(target, QColor::fromRgb(GRID_COLOUR));
        else
            painter.drawImage(target, chars, QRect(origin, QSize(GLYPH_WIDTH, GLYPH_HEIGHT)));
    }
}
