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
    // Uniform over 0..bound-1 without bias (multiply and reject the rare low remainder).
    std::uint32_t Below(std::uint32_t bound) {
        std::uint64_t m = static_cast<std::uint64_t>(Next()) * bound;
        if (static_cast<std::uint32_t>(m) < bound) {
            const std::uint32_t floor = (0u - bound) % bound;
            while (static_cast<std::uint32_t>(m) < floor)
                m = static_cast<std::uint64_t>(Next()) * bound;
        }
        return static_cast<std::uint32_t>(m >> 32);
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

// Runs one reduction over every row, in three passes over each row so that
// the first and last are plain loops the compiler turns into vector code:
// the channel sums, the level's choice of white (Level::Fill, given the sums
// and the row, sets white[x] to 1 or 0), and the writing of the pixels, with
// background grey where the background test holds.
template <bool Background, typename Level>
void ReduceRows(QImage& image, const TBackground& bg, std::uint32_t black, std::uint32_t white, Level& level) {
    const int w = image.width();
    const int h = image.height();
    const std::uint32_t flip = black ^ white;
    std::vector<std::uint16_t> sums(static_cast<std::size_t>(w));
    std::vector<std::uint8_t> whites(static_cast<std::size_t>(w));
    std::uint16_t* sum = sums.data();
    std::uint8_t* on = whites.data();
    for (int y = 0; y < h; ++y) {
        auto* __restrict row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        if constexpr (!Level::PER_PIXEL) {
            if constexpr (Level::NEEDS_SUMS) {
                for (int x = 0; x < w; ++x)
                    sum[x] = static_cast<std::uint16_t>(ChannelSum(row[x]));
            }
            level.Fill(y, w, row, sum, on);
        }
        for (int x = 0; x < w; ++x) {
            std::uint32_t bit;
            if constexpr (Level::PER_PIXEL)
                bit = level.White(ChannelSum(row[x]));
            else
                bit = on[x];
            std::uint32_t out = black ^ ((0u - bit) & flip);
            if constexpr (Background) {
                const std::uint32_t removed =
                    0u - static_cast<std::uint32_t>(ChannelDistance(row[x], bg.r, bg.g, bg.b) <= bg.limit);
                out = (out & ~removed) | (PIXEL_GREY & removed);
            }
            row[x] = out;
        }
    }
}

template <typename Level> void Reduce(QImage& image, const TBackground& bg, bool negative, Level level) {
    const std::uint32_t black = negative ? PIXEL_WHITE : PIXEL_BLACK;
    const std::uint32_t white = negative ? PIXEL_BLACK : PIXEL_WHITE;
    if (bg.on)
        ReduceRows<true>(image, bg, black, white, level);
    else
        ReduceRows<false>(image, bg, black, white, level);
}

struct TThresholdLevel {
    static constexpr bool PER_PIXEL = true;
    int limit; // white from this sum up
    std::uint32_t White(int sum) const { return static_cast<std::uint32_t>(sum >= limit); }
    static constexpr bool NEEDS_SUMS = false;
    void Fill(int, int, const std::uint32_t*, const std::uint16_t*, std::uint8_t*) const {}
};

struct TMosaicLevel {
    int originX;
    int originY;
    const TMosaicTable& table;
    static constexpr bool PER_PIXEL = false;
    std::uint32_t White(int) const { return 0; }
    static constexpr bool NEEDS_SUMS = false;
    void Fill(int y, int w, const std::uint32_t* __restrict row, const std::uint16_t*,
              std::uint8_t* __restrict on) const {
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

// Mixing draws its values from a block of numbers uniform over 0..765, made
// by the seeded generator at the start of the reduction; each row reads the
// block from a place the generator picks, wrapping round at its end.
class TMixingLevel {
public:
    static constexpr bool PER_PIXEL = false;
    std::uint32_t White(int) const { return 0; }
    static constexpr std::size_t BLOCK = 16384;
    explicit TMixingLevel(unsigned long long seed) : random_(seed), block_(BLOCK) {
        for (std::uint16_t& value : block_)
            value = static_cast<std::uint16_t>(random_.Below(MAX_SUM + 1));
    }
    static constexpr bool NEEDS_SUMS = true;
    void Fill(int, int w, const std::uint32_t*, const std::uint16_t* __restrict sum, std::uint8_t* __restrict on) {
        std::size_t start = random_.Next() % BLOCK;
        int x = 0;
        while (x < w) {
            const int n = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(w - x), BLOCK - start));
            const std::uint16_t* r = block_.data() + start;
            // black when r > S
            for (int k = 0; k < n; ++k)
                on[x + k] = static_cast<std::uint8_t>(r[k] <= sum[x + k]);
            x += n;
            start = 0;
        }
    }

private:
    TXorShift random_;
    std::vector<std::uint16_t> block_;
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
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    const TBackground bg = MakeBackground(backgroundColour, allowance);
    if (mode == LOGO_MODE_MOSAIC) {
        Reduce(image, bg, negative, TMosaicLevel{Phase(originX), Phase(originY), MosaicTable()});
    } else if (mode == LOGO_MODE_MIXING) {
        Reduce(image, bg, negative, TMixingLevel(seed));
    } else if (mode >= 1) {
        // black when sum < 3 t; a t beyond the range makes everything black
        const long long limit = 3LL * mode;
        Reduce(image, bg, negative, TThresholdLevel{static_cast<int>(std::min<long long>(limit, MAX_SUM + 1))});
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

void RenderLogoView(QImage& view, const QImage& picture, const TLogoRenderParams& params) {
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
    const QImage source =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const long long pw = source.width();
    const long long ph = source.height();

    // Nearest neighbour: target pixel x takes source column x * pw / width.
    QImage part(x1 - x0, y1 - y0, QImage::Format_RGB32);
    if (part.isNull())
        return;
    std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x)
        columns[static_cast<std::size_t>(x - x0)] = static_cast<int>(x * pw / params.width);
    for (int y = y0; y < y1; ++y) {
        const auto* src =
            reinterpret_cast<const std::uint32_t*>(source.constScanLine(static_cast<int>(y * ph / params.height)));
        auto* dst = reinterpret_cast<std::uint32_t*>(part.scanLine(y - y0));
        for (std::size_t i = 0; i < columns.size(); ++i)
            dst[i] = src[columns[i]];
    }

    if (!params.unprocessed) {
        const auto seed = static_cast<unsigned long long>(std::time(nullptr));
        ReduceLogoPixelsAt(part, x0, y0, params.mode, params.background, params.negative, params.allowance, seed);
    }

    const int viewX = params.posX + x0;
    const int viewY = params.posY + y0;
    const int w = x1 - x0;
    for (int y = 0; y < part.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(part.constScanLine(y));
        auto* dst = reinterpret_cast<std::uint32_t*>(view.scanLine(viewY + y)) + viewX;
        if (params.unprocessed) {
            std::copy(src, src + w, dst);
            continue;
        }
        for (int x = 0; x < w; ++x) {
            if ((src[x] & 0xFFFFFF) != (PIXEL_GREY & 0xFFFFFF))
                dst[x] = src[x];
        }
    }
}
