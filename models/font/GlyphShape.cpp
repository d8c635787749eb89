#include "GlyphShape.h"

#include "Glyphs.h"
#include "Protocol.h"

#include <algorithm>
#include <array>

namespace {

using TCell = std::array<std::array<std::uint8_t, GLYPH_WIDTH>, GLYPH_HEIGHT>;

struct TBounds {
    int left = 0;
    int right = -1; // inclusive; right < left when there is no ink
    int top = 0;
    int bottom = -1;
};

TBounds InkBounds(const TInk& ink) {
    TBounds bounds{ink.width, -1, ink.height, -1};
    for (int y = 0; y < ink.height; ++y) {
        for (int x = 0; x < ink.width; ++x) {
            if (!ink.on[y * ink.width + x])
                continue;
            bounds.left = std::min(bounds.left, x);
            bounds.right = std::max(bounds.right, x);
            bounds.top = std::min(bounds.top, y);
            bounds.bottom = std::max(bounds.bottom, y);
        }
    }
    return bounds;
}

bool NearWhite(const TCell& white, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < GLYPH_WIDTH && ny < GLYPH_HEIGHT && white[ny][nx])
                return true;
        }
    }
    return false;
}

} // namespace

TInk Thickened(const TInk& ink, int pixels) {
    if (pixels <= 0)
        return ink;
    TInk wide{ink.width + pixels, ink.height + pixels, ink.baseline + pixels, {}};
    wide.on.assign(static_cast<std::size_t>(wide.width) * wide.height, 0);
    for (int y = 0; y < wide.height; ++y) {
        for (int x = 0; x < wide.width; ++x) {
            bool on = false;
            for (int dy = 0; dy <= pixels && !on; ++dy) {
                for (int dx = 0; dx <= pixels && !on; ++dx)
                    on = ink.At(x - dx, y - pixels + dy);
            }
            wide.on[y * wide.width + x] = on;
        }
    }
    return wide;
}

double StrokeWidth(const TInk& ink, double share) {
    const TBounds bounds = InkBounds(ink);
    if (bounds.right < bounds.left)
        return 0;
    const int y = bounds.top + static_cast<int>((bounds.bottom - bounds.top) * share);
    int runs = 0;
    int pixels = 0;
    for (int x = 0; x < ink.width; ++x) {
        if (!ink.At(x, y))
            continue;
        ++pixels;
        if (!ink.At(x - 1, y))
            ++runs;
    }
    return runs == 0 ? 0 : static_cast<double>(pixels) / runs;
}

void DrawGlyph(const TInk& ink, bool outline, QImage& chars, int left, int top) {
    const int margin = outline ? 1 : 0;
    const int lastRow = GLYPH_HEIGHT - 1 - margin;
    TCell white{};
    const TBounds bounds = InkBounds(ink);
    if (bounds.right >= bounds.left) {
        const int room = GLYPH_WIDTH - 2 * margin;
        const int inkWidth = bounds.right - bounds.left + 1;
        const int dx = margin + std::max(room - inkWidth, 0) / 2 - bounds.left;
        const bool rests = bounds.bottom >= ink.baseline - 1;
        const int dy = rests ? lastRow - bounds.bottom : lastRow - (ink.baseline - 1);
        for (int y = bounds.top; y <= bounds.bottom; ++y) {
            for (int x = bounds.left; x <= bounds.right; ++x) {
                const int cx = x + dx;
                const int cy = y + dy;
                if (ink.At(x, y) && cx >= margin && cx < GLYPH_WIDTH - margin && cy >= 0 && cy <= lastRow)
                    white[cy][cx] = 1;
            }
        }
    }
    for (int y = 0; y < GLYPH_HEIGHT; ++y) {
        auto* line = reinterpret_cast<QRgb*>(chars.scanLine(top + y)) + left;
        for (int x = 0; x < GLYPH_WIDTH; ++x) {
            QRgb level = LEVEL_GREY;
            if (white[y][x])
                level = LEVEL_WHITE;
            else if (outline && NearWhite(white, x, y))
                level = LEVEL_BLACK;
            line[x] = 0xFF000000u | level;
        }
    }
}

TInk Cropped(const TInk& ink) {
    const TBounds bounds = InkBounds(ink);
    if (bounds.right < bounds.left)
        return {};
    TInk cropped{bounds.right - bounds.left + 1, bounds.bottom - bounds.top + 1, ink.baseline - bounds.top, {}};
    cropped.on.reserve(static_cast<std::size_t>(cropped.width) * cropped.height);
    for (int y = bounds.top; y <= bounds.bottom; ++y) {
        for (int x = bounds.left; x <= bounds.right; ++x)
            cropped.on.push_back(ink.At(x, y));
    }
    return cropped;
}

int InkRows(const TInk& ink) {
    const TBounds bounds = InkBounds(ink);
    return std::max(bounds.bottom - bounds.top + 1, 0);
}
