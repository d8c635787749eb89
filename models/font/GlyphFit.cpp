#include "GlyphFit.h"

#include "Protocol.h"

#include <algorithm>

namespace {

// Small letters with descenders keep the rows from this many pixels below the capitals' top.
constexpr double SMALL_DESCENDER_DROP = 2.0;
// A drawing no higher than this many small-letter heights is a small letter.
constexpr double SMALL_LETTER_SPAN = 1.15;
// The gap between a capital and its accent, pixels.
constexpr double ACCENT_GAP = 1.0;

} // namespace

double TGlyphFit::MapY(double y) const {
    if (y > gapTo)
        y = accentFrom + (gapTo - accentFrom) * gapScale + (y - gapTo) * accentScale;
    else if (y > accentFrom)
        y = accentFrom + (y - accentFrom) * gapScale;
    return y * scaleY;
}

double TGlyphFit::UnmapY(double y) const {
    y /= scaleY;
    const double gapTop = accentFrom + (gapTo - accentFrom) * gapScale;
    if (y > gapTop)
        return gapTo + (y - gapTop) / accentScale;
    if (y > accentFrom)
        return accentFrom + (y - accentFrom) / gapScale;
    return y;
}

TGlyphFit FitGlyph(const TInkBox& ink, const TCellRoom& room) {
    TGlyphFit fit;
    const double width = ink.xMax - ink.xMin;
    const double roomWidth = GLYPH_WIDTH - 2 * room.margin;
    if (width > roomWidth)
        fit.scaleX = roomWidth / width;

    const double roomAbove = GLYPH_HEIGHT - room.margin; // from the baseline to the cell's top
    fit.accentFrom = std::max(room.capHeight, 1.0);
    fit.gapTo = fit.accentFrom;
    if (ink.yMin >= -DESCENT_TOLERANCE) {
        double above = roomAbove - fit.accentFrom;
        if (ink.accentBottom > fit.accentFrom && above > ACCENT_GAP) {
            // A separate accent: one pixel of gap under it, pressed into the rows above.
            fit.gapTo = ink.accentBottom;
            fit.gapScale = ACCENT_GAP / (ink.accentBottom - fit.accentFrom);
            above -= ACCENT_GAP;
            fit.accentScale = std::min(1.0, above / (ink.yMax - fit.gapTo));
        } else if (ink.yMax > roomAbove && ink.yMax > fit.accentFrom) {
            fit.accentScale = std::max(above, 0.0) / (ink.yMax - fit.gapTo);
        }
        return fit;
    }
    // A descender: the whole drawing is raised onto the baseline.
    fit.accentFrom = fit.gapTo = ink.yMax; // nothing to press above
    const bool small = ink.yMax <= room.xHeight * SMALL_LETTER_SPAN;
    const double top = small ? room.capHeight - SMALL_DESCENDER_DROP : room.capHeight;
    const double height = ink.yMax - ink.yMin;
    if (height > top && height > 0)
        fit.scaleY = top / height;
    fit.maxRows = static_cast<int>(top);
    return fit;
}
