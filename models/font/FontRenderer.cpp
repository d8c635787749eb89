#include "FontRenderer.h"

#include "FontCharacters.h"
#include "GlyphFit.h"
#include "GlyphShape.h"
#include "Glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace {

// The capitals' height in pixels at the automatic size: rows 3 to 16 of the cell.
constexpr int CAPITAL_HEIGHT = 14;
// The strokes' width that the display's shapes are drawn with.
constexpr double STROKE_WIDTH = 2.0;
// Strokes never become thinner than this, whatever the adjustment.
constexpr double THINNEST_STROKE = 1.0;
// Pixel cover (of 255) that makes ink, and that a hairline's middle needs.
constexpr int HALF_COVER = 128;
constexpr int FAINT_COVER = 48;
// Free pixels around a drawing in its working raster.
constexpr int RASTER_PAD = 2;
// Attempts at matching the capitals' height when hinting rounds it.
constexpr int SIZE_ATTEMPTS = 12;
// The step between the sizes tried, pixels per em.
constexpr double SIZE_STEP = 0.125;
// Tries at fitting a descender into its rows.
constexpr int FIT_ATTEMPTS = 3;

// What to add to a stroke of width stroke: thin faces are brought up to the
// display's width, thick ones kept; extra is the user's adjustment.
double Boldening(double stroke, double extra) {
    return std::max(std::max(STROKE_WIDTH - stroke, 0.0) + extra, THINNEST_STROKE - stroke);
}

double Pixels(FT_Pos units) {
    return static_cast<double>(units) / 64.0;
}

FT_Pos Units(double pixels) {
    return static_cast<FT_Pos>(std::lround(pixels * 64.0));
}

// How one face is drawn at the chosen size.
struct TSetup {
    TCellRoom room;
    FT_Pos boldX = 0; // outline faces: stroke added across, 26.6 pixels
    FT_Pos boldY = 0; // and down
    int thicken = 0;  // bitmap faces: pixels added to every stroke
};

TInkBox BoxOf(const FT_Outline& outline) {
    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    return {Pixels(box.xMin), Pixels(box.xMax), Pixels(box.yMin), Pixels(box.yMax), 0};
}

// The lowest point of the contours that lie wholly above capHeight (accents).
double AccentBottom(const FT_Outline& outline, double capHeight) {
    double bottom = 0;
    int first = 0;
    for (int contour = 0; contour < outline.n_contours; ++contour) {
        const int last = outline.contours[contour];
        FT_Pos low = outline.points[first].y;
        for (int i = first; i <= last; ++i)
            low = std::min(low, outline.points[i].y);
        if (Pixels(low) > capHeight && (bottom == 0 || Pixels(low) < bottom))
            bottom = Pixels(low);
        first = last + 1;
    }
    return bottom;
}

// The same for a bitmap: the first ink above an empty row above the capitals.
double AccentBottom(const TInk& ink, double capHeight) {
    bool gap = false;
    for (int y = ink.baseline - static_cast<int>(capHeight) - 1; y >= 0; --y) {
        bool any = false;
        for (int x = 0; x < ink.width && !any; ++x)
            any = ink.At(x, y);
        if (!any)
            gap = true;
        else if (gap)
            return ink.baseline - y - 1;
    }
    return 0;
}

// A pixel is ink when it is at least half covered, or when it is the middle
// of a hairline: fainter neighbours across the line, some cover along it.
bool IsInk(const std::vector<unsigned char>& coverage, int width, int height, int x, int y) {
    auto at = [&](int cx, int cy) -> int {
        return cx < 0 || cy < 0 || cx >= width || cy >= height ? 0 : coverage[cy * width + cx];
    };
    const int c = at(x, y);
    if (c >= HALF_COVER)
        return true;
    if (c < FAINT_COVER)
        return false;
    const int left = at(x - 1, y);
    const int right = at(x + 1, y);
    const int up = at(x, y - 1);
    const int down = at(x, y + 1);
    const bool upright = c > left && c > right && up >= FAINT_COVER && down >= FAINT_COVER;
    const bool level = c > up && c > down && left >= FAINT_COVER && right >= FAINT_COVER;
    return upright || level;
}

// Moves every point of outline through fit into a raster that holds it
// whole, and draws it there; pixels at least half covered are ink.
TInk RasterOutline(FT_Library library, FT_Outline& outline, const TGlyphFit& fit) {
    const TInkBox box = BoxOf(outline);
    const int ox = RASTER_PAD + static_cast<int>(std::ceil(-fit.MapX(box.xMin)));
    const int oy = RASTER_PAD + static_cast<int>(std::ceil(-fit.MapY(box.yMin)));
    const int width = static_cast<int>(std::ceil(fit.MapX(box.xMax))) + ox + RASTER_PAD;
    const int height = static_cast<int>(std::ceil(fit.MapY(box.yMax))) + oy + RASTER_PAD;
    if (width <= 0 || height <= 0)
        return {};
    for (int i = 0; i < outline.n_points; ++i) {
        FT_Vector& point = outline.points[i];
        point.x = Units(fit.MapX(Pixels(point.x)) + ox);
        point.y = Units(fit.MapY(Pixels(point.y)) + oy);
    }
    std::vector<unsigned char> coverage(static_cast<std::size_t>(width) * height, 0);
    FT_Bitmap raster;
    FT_Bitmap_Init(&raster);
    raster.rows = static_cast<unsigned>(height);
    raster.width = static_cast<unsigned>(width);
    raster.pitch = width;
    raster.buffer = coverage.data();
    raster.pixel_mode = FT_PIXEL_MODE_GRAY;
    raster.num_grays = 256;
    TInk ink{width, height, height - oy, {}};
    if (FT_Outline_Get_Bitmap(library, &outline, &raster) != 0)
        return {};
    ink.on.resize(coverage.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            ink.on[y * width + x] = IsInk(coverage, width, height, x, y);
    }
    return ink;
}

// The glyph's embedded bitmap as ink, rows from the top.
TInk InkOfBitmap(const FT_GlyphSlot slot) {
    const FT_Bitmap& bitmap = slot->bitmap;
    TInk ink{static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), slot->bitmap_top, {}};
    ink.on.assign(static_cast<std::size_t>(ink.width) * ink.height, 0);
    for (int y = 0; y < ink.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < ink.width; ++x) {
            const bool on =
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
            ink.on[y * ink.width + x] = on;
        }
    }
    return ink;
}

// ink resampled through fit (nearest pixel), the baseline kept.
TInk Resampled(const TInk& ink, const TGlyphFit& fit) {
    const int above = static_cast<int>(std::ceil(fit.MapY(ink.baseline)));
    const int below = static_cast<int>(std::ceil(-fit.MapY(ink.baseline - ink.height)));
    TInk out{static_cast<int>(std::ceil(fit.MapX(ink.width))), std::max(above + below, 0), above, {}};
    out.on.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const double up = fit.UnmapY(out.baseline - y - 0.5);
        const int sy = static_cast<int>(std::floor(ink.baseline - up));
        for (int x = 0; x < out.width; ++x)
            out.on[y * out.width + x] = ink.At(static_cast<int>(std::floor(fit.UnmapX(x + 0.5))), sy);
    }
    return out;
}

TInkBox BoxOfInk(const TInk& ink) {
    return {0, static_cast<double>(ink.width), static_cast<double>(ink.baseline - ink.height),
            static_cast<double>(ink.baseline), 0};
}

} // namespace

struct TFontRenderer::TFreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~TFreeType() {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }

    bool Scalable() const { return FT_IS_SCALABLE(face); }

    // The character's outline at the current size, made bolder by setup.
    bool LoadOutline(char32_t character, const TSetup& setup) const {
        const FT_UInt index = FT_Get_Char_Index(face, character);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) != 0 ||
            face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return false;
        if (setup.boldX != 0 || setup.boldY != 0)
            FT_Outline_EmboldenXY(&face->glyph->outline, setup.boldX, setup.boldY);
        return true;
    }

    TInk OutlineInk(char32_t character, const TSetup& setup, bool fitted) const {
        if (!LoadOutline(character, setup))
            return {};
        FT_Outline& outline = face->glyph->outline;
        if (!fitted)
            return RasterOutline(library, outline, {});
        TInkBox box = BoxOf(outline);
        box.accentBottom = AccentBottom(outline, setup.room.capHeight);
        TGlyphFit fit = FitGlyph(box, setup.room);
        std::vector<FT_Vector> points(outline.points, outline.points + outline.n_points);
        TInk ink = RasterOutline(library, outline, fit);
        for (int attempt = 0; attempt < FIT_ATTEMPTS && fit.maxRows > 0 && InkRows(ink) > fit.maxRows; ++attempt) {
            fit.scaleY *= (fit.maxRows - 0.5) / InkRows(ink);
            std::copy(points.begin(), points.end(), outline.points);
            ink = RasterOutline(library, outline, fit);
        }
        return ink;
    }

    TInk BitmapInk(char32_t character, const TSetup& setup, bool fitted) const {
        const FT_UInt index = FT_Get_Char_Index(face, character);
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
            face->glyph->format != FT_GLYPH_FORMAT_BITMAP)
            return {};
        const TInk ink = Thickened(Cropped(InkOfBitmap(face->glyph)), setup.thicken);
        if (!fitted)
            return ink;
        TInkBox box = BoxOfInk(ink);
        box.accentBottom = AccentBottom(ink, setup.room.capHeight);
        TGlyphFit fit = FitGlyph(box, setup.room);
        if (fit.maxRows > 0 && ink.height > fit.maxRows)
            fit.scaleY = std::min(fit.scaleY, static_cast<double>(fit.maxRows) / ink.height);
        return Resampled(ink, fit);
    }

    TInk Ink(char32_t character, const TSetup& setup, bool fitted) const {
        return Scalable() ? OutlineInk(character, setup, fitted) : BitmapInk(character, setup, fitted);
    }

    // The capitals' and small letters' heights and the strokes' width at the current size.
    void Measure(TSetup& setup) const {
        const TInk capital = Ink(U'H', setup, false);
        setup.room.capHeight = InkRows(capital) > 0 ? InkRows(capital) : CAPITAL_HEIGHT;
        const TInk small = Ink(U'x', setup, false);
        setup.room.xHeight = InkRows(small) > 0 ? InkRows(small) : setup.room.capHeight * 0.7;
    }

    double StemWidth(const TSetup& setup) const {
        const double stem = StrokeWidth(Ink(U'H', setup, false), 0.25);
        return stem > 0 ? stem : STROKE_WIDTH;
    }

    double BarHeight(const TSetup& setup) const {
        const int bar = InkRows(Ink(U'-', setup, false));
        return bar > 0 ? bar : STROKE_WIDTH;
    }

    bool SetPixelSize(double ppem) const {
        return FT_Set_Char_Size(face, 0, std::max<FT_F26Dot6>(Units(ppem), 64), 72, 72) == 0;
    }

    // The setup at ppem pixels per em: strokes brought to the display's width.
    TSetup SetupAt(double ppem, const TFontOptions& options) const {
        TSetup setup;
        SetPixelSize(ppem);
        const double extra = options.weight * 0.5;
        setup.boldX = Units(Boldening(StemWidth(setup), extra));
        setup.boldY = Units(Boldening(BarHeight(setup), extra));
        Measure(setup);
        return setup;
    }

    // Outline faces: the size whose capitals are target pixels high once
    // their strokes are brought to the display's width. Hinting rounds the
    // capitals' height, so sizes are tried in small steps towards the target;
    // when none gives it, the nearest lower height wins.
    TSetup SetupOutline(const TFontOptions& options, int target) const {
        double ppem = target * 1.4;
        TSetup setup = SetupAt(ppem, options);
        ppem *= target / std::max(setup.room.capHeight, 1.0);
        const double step = setup.room.capHeight > target ? -SIZE_STEP : SIZE_STEP;
        double bestPpem = ppem;
        double bestMiss = -1;
        for (int attempt = 0; attempt < SIZE_ATTEMPTS; ++attempt, ppem += step) {
            setup = SetupAt(ppem, options);
            const double miss = std::abs(setup.room.capHeight - target) + (setup.room.capHeight > target ? 0.5 : 0);
            if (bestMiss < 0 || miss < bestMiss) {
                bestMiss = miss;
                bestPpem = ppem;
            }
            if (miss == 0)
                return setup;
        }
        return SetupAt(bestPpem, options);
    }

    // Bitmap faces: the strike whose thickened capitals come nearest to
    // target pixels, the smaller one on a tie.
    TSetup SetupBitmap(const TFontOptions& options, int target) const {
        TSetup best;
        int bestStrike = -1;
        double bestMiss = 0;
        for (int strike = 0; strike < face->num_fixed_sizes; ++strike) {
            if (FT_Select_Size(face, strike) != 0)
                continue;
            TSetup setup;
            const double stem = StemWidth(setup);
            setup.thicken = std::clamp(static_cast<int>(std::lround(STROKE_WIDTH - stem + options.weight * 0.5)), 0, 3);
            Measure(setup);
            const double miss = std::abs(setup.room.capHeight - target) + (setup.room.capHeight > target ? 0.25 : 0);
            if (bestStrike < 0 || miss < bestMiss) {
                best = setup;
                bestStrike = strike;
                bestMiss = miss;
            }
        }
        if (bestStrike >= 0)
            FT_Select_Size(face, bestStrike);
        return best;
    }
};

TFontRenderer::TFontRenderer(std::unique_ptr<TFreeType> freeType) : freeType_(std::move(freeType)) {}

TFontRenderer::~TFontRenderer() = default;

std::unique_ptr<TFontRenderer> TFontRenderer::Open(const TFontFace& face, std::string& error) {
    auto freeType = std::make_unique<TFreeType>();
    if (FT_Init_FreeType(&freeType->library) != 0) {
        error = "FreeType could not start";
        return nullptr;
    }
    if (FT_New_Face(freeType->library, face.file.c_str(), face.index, &freeType->face) != 0) {
        error = "FreeType cannot read " + face.file;
        return nullptr;
    }
    if (FT_Select_Charmap(freeType->face, FT_ENCODING_UNICODE) != 0 && freeType->face->charmap == nullptr) {
        error = face.file + " has no Unicode character map";
        return nullptr;
    }
    if (!FT_IS_SCALABLE(freeType->face) && freeType->face->num_fixed_sizes <= 0) {
        error = face.file + " has neither outlines nor bitmaps";
        return nullptr;
    }
    return std::unique_ptr<TFontRenderer>(new TFontRenderer(std::move(freeType)));
}

TFontSet TFontRenderer::Render(const QImage& base, const TFontOptions& options) const {
    TFontSet set;
    if (base.width() == CHARS_WIDTH && base.height() == CHARS_HEIGHT)
        set.chars = base.convertToFormat(QImage::Format_RGB32);
    else
        NewCharsBitmap(set.chars);
    set.chars.detach();
    const int target =
        std::clamp(CAPITAL_HEIGHT + options.size, CAPITAL_HEIGHT + FONT_SIZE_MIN, CAPITAL_HEIGHT + FONT_SIZE_MAX);
    TSetup setup =
        freeType_->Scalable() ? freeType_->SetupOutline(options, target) : freeType_->SetupBitmap(options, target);
    setup.room.margin = options.outline ? 1 : 0;
    for (int code = FONT_FIRST_CODE; code <= FONT_LAST_CODE; ++code) {
        const TInk ink = freeType_->Ink(FontCharacters()[code - FONT_FIRST_CODE], setup, true);
        if (InkRows(ink) == 0) {
            set.missing.push_back(code);
            continue;
        }
        const QPoint origin = GlyphOrigin(code);
        DrawGlyph(ink, options.outline, set.chars, origin.x(), origin.y());
    }
    return set;
}

TFontRendering RenderFont(const std::vector<TFontFace>& fonts, const std::string& name, const QImage& base,
                          const TFontOptions& options) {
    TFontRendering rendering;
    rendering.lookup = FindFont(fonts, ParseFontName(name));
    if (!rendering.lookup.face)
        return rendering;
    const std::unique_ptr<TFontRenderer> renderer = TFontRenderer::Open(*rendering.lookup.face, rendering.error);
    if (renderer)
        rendering.set = renderer->Render(base, options);
    return rendering;
}
