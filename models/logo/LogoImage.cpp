#include "LogoImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr std::uint32_t PIXEL_BLACK = 0xFF000000u;
constexpr std::uint32_t PIXEL_WHITE = 0xFFFFFFFFu;
constexpr std::uint32_t PIXEL_GREY = 0xFF808080u;
constexpr int MAX_SUM = 765;

inline int ChannelSum(std::uint32_t p) {
    return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
}

// The same in fewer vector steps: red and blue are added as 16-bit halves,
// green to the lower half, and the halves are then added up.
inline std::uint32_t ChannelSumPacked(std::uint32_t p) {
    const std::uint32_t t = (p & 0x00FF00FFu) + ((p >> 8) & 0xFFu);
    return (t & 0xFFFFu) + (t >> 16);
}

inline int ChannelDistance(std::uint32_t p, int r, int g, int b) {
    return std::abs(static_cast<int>((p >> 16) & 0xFF) - r) + std::abs(static_cast<int>((p >> 8) & 0xFF) - g) +
           std::abs(static_cast<int>(p & 0xFF) - b);
}

// Mosaic pattern: for each row phase (y mod 16), column phase (x mod 16) and
// channel sum S, 1 when the pixel is white. The pattern cell
// i = 16 (y mod 16) + (x mod 16) + 1 is white when (1024 i) mod (783360 / (S + 1)) < 1024.
struct TMosaicTable {
    std::array<std::array<std::array<std::uint8_t, MAX_SUM + 1>, 16>, 16> whites{};
};

const TMosaicTable& MosaicTable() {
    static const TMosaicTable table = [] {
        TMosaicTable t;
        for (int s = 0; s <= MAX_SUM; ++s) {
            const int d = 783360 / (s + 1);
            for (int i = 1; i <= 256; ++i)
                t.whites[static_cast<std::size_t>((i - 1) / 16)][static_cast<std::size_t>((i - 1) % 16)]
                        [static_cast<std::size_t>(s)] = (i * 1024) % d < 1024 ? 1 : 0;
        }
        return t;
    }();
    return table;
}

// A small, fast generator (xorshift64*), seeded through splitmix64 so that
// neighbouring seeds give unrelated sequences.
class TXorShift {
public:
    explicit TXorShift(unsigned long long seed) {
        std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        state_ = (z ^ (z >> 31)) | 1u;
    }
    std::uint32_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
    }

private:
    std::uint64_t state_;
};

struct TBackground {
    bool on = false;
    int r = 0, g = 0, b = 0;
    int limit = 0; // largest channel distance that still counts as background
};

TBackground MakeBackground(std::optional<QRgb> colour, int allowance) {
    TBackground bg;
    if (!colour)
        return bg;
    bg.on = true;
    bg.r = qRed(*colour);
    bg.g = qGreen(*colour);
    bg.b = qBlue(*colour);
    // distance * 100 <= allowance * 765, in whole numbers
    const int a = std::clamp(allowance, 0, 100);
    bg.limit = a * MAX_SUM / 100;
    return bg;
}

// Runs one reduction over every row, in two passes over each row so that
// the last is a plain loop the compiler turns into vector code: the level's
// preparation of the row (Level::Prepare), and the writing of the pixels,
// with background grey where the background test holds. A level chooses
// white either by a limit on the channel sum, the same for every pixel or one
// per pixel (Level::LIMITS: Prepare fills limit[x]), or by itself (Level::FILLS:
// Prepare sets white[x] to 1 or 0 from the row).
template <bool Background, bool Alpha, typename Level>
void ReduceRows(QImage& image, const TBackground& bg, std::uint32_t black, std::uint32_t white, Level& level) {
    const int w = image.width();
    const int h = image.height();
    const std::uint32_t flip = black ^ white;
    std::vector<std::uint32_t> limits(Level::LIMITS ? static_cast<std::size_t>(w) : 0);
    std::vector<std::uint8_t> whites(Level::FILLS ? static_cast<std::size_t>(w) : 0);
    std::uint32_t* __restrict limit = limits.data();
    std::uint8_t* __restrict on = whites.data();
    for (int y = 0; y < h; ++y) {
        auto* __restrict row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        if constexpr (Level::LIMITS)
            level.Prepare(w, limit);
        if constexpr (Level::FILLS)
            level.Prepare(y, w, row, on);
        for (int x = 0; x < w; ++x) {
            std::uint32_t bit;
            if constexpr (Level::LIMITS)
                bit = ChannelSumPacked(row[x]) >= limit[x];
            else if constexpr (Level::FILLS)
                bit = on[x];
            else
                bit = level.White(ChannelSumPacked(row[x]));
            std::uint32_t out = black ^ ((0u - bit) & flip);
            if constexpr (Background) {
                const std::uint32_t removed =
                    0u - static_cast<std::uint32_t>(ChannelDistance(row[x], bg.r, bg.g, bg.b) <= bg.limit);
                out = (out & ~removed) | (PIXEL_GREY & removed);
            }
            if constexpr (Alpha) {
                const std::uint32_t clear = 0u - static_cast<std::uint32_t>((row[x] >> 24) < LOGO_OPAQUE_ALPHA);
                out = (out & ~clear) | (PIXEL_GREY & clear);
            }
            row[x] = out;
        }
    }
}

template <typename Level> void Reduce(QImage& image, const TBackground& bg, bool negative, Level level) {
    const std::uint32_t black = negative ? PIXEL_WHITE : PIXEL_BLACK;
    const std::uint32_t white = negative ? PIXEL_BLACK : PIXEL_WHITE;
    const bool alpha = image.format() == QImage::Format_ARGB32;
    if (bg.on && alpha)
        ReduceRows<true, true>(image, bg, black, white, level);
    else if (bg.on)
        ReduceRows<true, false>(image, bg, black, white, level);
    else if (alpha)
        ReduceRows<false, true>(image, bg, black, white, level);
    else
        ReduceRows<false, false>(image, bg, black, white, level);
}

struct TThresholdLevel {
    static constexpr bool LIMITS = false;
    static constexpr bool FILLS = false;
    std::uint32_t limit; // white from this sum up
    std::uint32_t White(std::uint32_t sum) const { return static_cast<std::uint32_t>(sum >= limit); }
};

struct TMosaicLevel {
    static constexpr bool LIMITS = false;
    static constexpr bool FILLS = true;
    int originX;
    int originY;
    const TMosaicTable& table;
    void Prepare(int y, int w, const std::uint32_t* __restrict row, std::uint8_t* __restrict on) const {
        const auto& cells = table.whites[static_cast<std::size_t>((y + originY) & 15)];
        int x = 0;
        // whole runs of 16 pixels: each position has its own fixed column
        const int lead = std::min(w, (16 - (originX & 15)) & 15);
        for (; x < lead; ++x)
            on[x] = cells[static_cast<std::size_t>((x + originX) & 15)][ChannelSum(row[x])];
        for (; x + 16 <= w; x += 16) {
            for (int k = 0; k < 16; ++k)
                on[x + k] = cells[static_cast<std::size_t>(k)][ChannelSum(row[x + k])];
        }
        for (; x < w; ++x)
            on[x] = cells[static_cast<std::size_t>((x + originX) & 15)][ChannelSum(row[x])];
    }
};

// Mixing draws a fresh r for every pixel (white when r <= S, so the limit on
// S is r). The values come from 32 xorshift32 generators run side by side,
// each seeded apart from the reduction's seed; every step of generator j
// gives 16 random bits t to pixel j and 16 to pixel j + 32 of a run of 64,
// and r = (766 t) >> 16, uniform over 0..765 to within 1 part in 85. Side by
// side they compile to vector code.
class TMixingLevel {
public:
    static constexpr bool LIMITS = true;
    static constexpr bool FILLS = false;
    static constexpr int LANES = 32;
    static constexpr int RUN = 2 * LANES;

    explicit TMixingLevel(unsigned long long seed) {
        TXorShift seeds(seed);
        for (std::uint32_t& lane : state_) {
            do
                lane = seeds.Next();
            while (lane == 0); // the one state xorshift never leaves
        }
    }

    void Prepare(int w, std::uint32_t* __restrict limit) {
        int x = 0;
        for (; x + RUN <= w; x += RUN)
            Run(limit + x);
        if (x == w)
            return;
        // The last, shorter run: a whole run's values, the ones past the row unused.
        std::array<std::uint32_t, RUN> tail;
        Run(tail.data());
        std::copy(tail.begin(), tail.begin() + (w - x), limit + x);
    }

private:
    // (766 t) >> 16, the product in shifts: 766 = 512 + 256 - 2.
    static std::uint32_t Scale(std::uint32_t t) { return ((t << 9) + (t << 8) - (t << 1)) >> 16; }

    void Run(std::uint32_t* __restrict limit) {
        for (int j = 0; j < LANES; ++j) {
            std::uint32_t v = state_[static_cast<std::size_t>(j)];
            v ^= v << 13;
            v ^= v >> 17;
            v ^= v << 5;
            state_[static_cast<std::size_t>(j)] = v;
            limit[j] = Scale(v & 0xFFFFu);
            limit[LANES + j] = Scale(v >> 16);
        }
    }

    std::array<std::uint32_t, LANES> state_{};
};

// x mod 16 for positions that may be negative: the pattern stays aligned.
int Phase(int v) {
    return v & 15;
}

} // namespace

void ReduceLogoPixelsAt(QImage& image, int originX, int originY, int mode, std::optional<QRgb> backgroundColour,
                        bool negative, int allowance, unsigned long long seed) {
    if (image.isNull())
        return;
    const QImage::Format format = LogoPixelFormat(image);
    if (image.format() != format)
        image.convertTo(format);
    const TBackground bg = MakeBackground(backgroundColour, allowance);
    if (mode == LOGO_MODE_MOSAIC) {
        Reduce(image, bg, negative, TMosaicLevel{Phase(originX), Phase(originY), MosaicTable()});
    } else if (mode == LOGO_MODE_MIXING) {
        Reduce(image, bg, negative, TMixingLevel(seed));
    } else if (mode >= 1) {
        // black when sum < 3 t; a t beyond the range makes everything black
        const long long limit = 3LL * mode;
        Reduce(image, bg, negative,
               TThresholdLevel{static_cast<std::uint32_t>(std::min<long long>(limit, MAX_SUM + 1))});
    } else {
        Reduce(image, bg, negative, TThresholdLevel{382});
    }
}

void ReduceLogoPixels(QImage& image, int mode, std::optional<QRgb> backgroundColour, bool negative, int allowance) {
    const auto seed = static_cast<unsigned long long>(std::time(nullptr));
    ReduceLogoPixelsAt(image, 0, 0, mode, backgroundColour, negative, allowance, seed);
}

// ---- Margins ---------------------------------------------------------------

namespace {

inline bool IsInk(QRgb p) {
    const QRgb c = p & 0xFFFFFF;
    return c == 0x000000 || c == 0xFFFFFF;
}

} // namespace

bool IsBlankRow(const QImage& image, int y) {
    if (y < 0 || y >= image.height())
        return true;
    for (int x = 0; x < image.width(); ++x) {
        if (IsInk(image.pixel(x, y)))
            return false;
    }
    return true;
}

bool IsBlankColumn(const QImage& image, int x) {
    if (x < 0 || x >= image.width())
        return true;
    for (int y = 0; y < image.height(); ++y) {
        if (IsInk(image.pixel(x, y)))
            return false;
    }
    return true;
}

namespace {

template <typename Blank> int CountBlank(int n, Blank blank) {
    int count = 0;
    while (count < n && blank(count))
        ++count;
    return count == n ? 0 : count;
}

} // namespace

int LogoMarginTop(const QImage& image) {
    return CountBlank(image.height(), [&](int i) { return IsBlankRow(image, i); });
}

int LogoMarginBottom(const QImage& image) {
    return CountBlank(image.height(), [&](int i) { return IsBlankRow(image, image.height() - 1 - i); });
}

int LogoMarginLeft(const QImage& image) {
    return CountBlank(image.width(), [&](int i) { return IsBlankColumn(image, i); });
}

int LogoMarginRight(const QImage& image) {
    return CountBlank(image.width(), [&](int i) { return IsBlankColumn(image, image.width() - 1 - i); });
}

// ---- Render ----------------------------------------------------------------

namespace {

constexpr int VIEW_WIDTH = 360;
constexpr int VIEW_HEIGHT = 288;

void ResetView(QImage& view) {
    if (view.width() != VIEW_WIDTH || view.height() != VIEW_HEIGHT || view.format() != QImage::Format_RGB32)
        view = QImage(VIEW_WIDTH, VIEW_HEIGHT, QImage::Format_RGB32);
    view.fill(PIXEL_GREY);
}

void DrawGrid(QImage& view) {
    const std::uint32_t navy = 0xFF000000u | LOGO_GRID_COLOUR;
    for (int y = 0; y < VIEW_HEIGHT; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(view.scanLine(y));
        if (y % 18 == 0) {
            std::fill(row, row + VIEW_WIDTH, navy);
            continue;
        }
        for (int x = 0; x < VIEW_WIDTH; x += 12)
            row[x] = navy;
    }
}

} // namespace

namespace {

// Nearest neighbour: target pixel x takes source column x * pw / width.
void ScaleInto(QImage& scaled, const QImage& source) {
    const long long pw = source.width();
    const long long ph = source.height();
    const int width = scaled.width();
    const int height = scaled.height();
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<int>(x * pw / width);
    const int* column = columns.data();
    for (int y = 0; y < height; ++y) {
        const auto* __restrict src =
            reinterpret_cast<const std::uint32_t*>(source.constScanLine(static_cast<int>(y * ph / height)));
        auto* __restrict dst = reinterpret_cast<std::uint32_t*>(scaled.scanLine(y));
        for (int x = 0; x < width; ++x)
            dst[x] = src[column[x]];
    }
}

// The scaled picture in its own colours: opaque pixels replace the view's,
// transparent ones leave it as it is.
void DrawUnprocessed(QImage& view, const QImage& scaled, QRect part, QPoint at) {
    const bool alpha = scaled.format() == QImage::Format_ARGB32;
    for (int y = 0; y < part.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(scaled.constScanLine(part.y() + y)) + part.x();
        auto* dst = reinterpret_cast<std::uint32_t*>(view.scanLine(at.y() + y)) + at.x();
        if (!alpha) {
            std::copy(src, src + part.width(), dst);
            continue;
        }
        for (int x = 0; x < part.width(); ++x) {
            if ((src[x] >> 24) >= LOGO_OPAQUE_ALPHA)
                dst[x] = src[x] | 0xFF000000u;
        }
    }
}

} // namespace

QImage::Format LogoPixelFormat(const QImage& picture) {
    return picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

const QImage& TLogoScaleCache::Scaled(const QImage& picture, int width, int height) {
    if (!scaled_.isNull() && key_ == picture.cacheKey() && scaled_.width() == width && scaled_.height() == height)
        return scaled_;
    scaled_ = QImage();
    key_ = 0;
    if (picture.isNull() || width < 1 || height < 1)
        return scaled_;
    const QImage::Format format = LogoPixelFormat(picture);
    const QImage source = picture.format() == format ? picture : picture.convertToFormat(format);
    QImage scaled(width, height, format);
    if (source.isNull() || scaled.isNull())
        return scaled_;
    ScaleInto(scaled, source);
    scaled_ = std::move(scaled);
    key_ = picture.cacheKey();
    return scaled_;
}

void RenderLogoView(QImage& view, const QImage& picture, const TLogoRenderParams& params, TLogoScaleCache& cache) {
    ResetView(view);
    if (params.grid)
        DrawGrid(view);
    if (picture.isNull() || params.width < 1 || params.height < 1)
        return;
    // The visible part of the width x height box, in box coordinates.
    const int x0 = std::max(0, -params.posX);
    const int y0 = std::max(0, -params.posY);
    const int x1 = std::min(params.width, VIEW_WIDTH - params.posX);
    const int y1 = std::min(params.height, VIEW_HEIGHT - params.posY);
    if (x0 >= x1 || y0 >= y1)
        return;
    const QImage& scaled = cache.Scaled(picture, params.width, params.height);
    if (scaled.isNull())
        return;
    const int viewX = params.posX + x0;
    const int viewY = params.posY + y0;
    const int w = x1 - x0;
    if (params.unprocessed) {
        DrawUnprocessed(view, scaled, QRect(x0, y0, w, y1 - y0), QPoint(viewX, viewY));
        return;
    }
    QImage part = scaled.copy(x0, y0, w, y1 - y0);
    if (part.isNull())
        return;
    ReduceLogoPixelsAt(part, x0, y0, params.mode, params.background, params.negative, params.allowance, params.seed);
    for (int y = 0; y < part.height(); ++y) {
        const auto* __restrict src = reinterpret_cast<const std::uint32_t*>(part.constScanLine(y));
        auto* __restrict dst = reinterpret_cast<std::uint32_t*>(view.scanLine(viewY + y)) + viewX;
        for (int x = 0; x < w; ++x) {
            if ((src[x] & 0xFFFFFF) != (PIXEL_GREY & 0xFFFFFF))
                dst[x] = src[x];
        }
    }
}

void RenderLogoView(QImage& view, const QImage& picture, const TLogoRenderParams& params) {
    TLogoScaleCache cache;
    RenderLogoView(view, picture, params, cache);
}
