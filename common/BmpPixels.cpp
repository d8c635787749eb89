#include "BmpParts.h"

#include <bit>

namespace bmp {

namespace {

// One channel of bit-field pixels: where its bits lie and what each of its
// values becomes at 8 bits. Channels wider than 8 bits keep their top 8.
class TChannel {
public:
    explicit TChannel(std::uint32_t mask) {
        if (mask == 0)
            return;
        shift_ = std::countr_zero(mask);
        int width = std::countr_one(mask >> shift_);
        if (width > 8) {
            shift_ += width - 8;
            width = 8;
        }
        mask_ = (1u << width) - 1;
        for (std::uint32_t v = 0; v <= mask_; ++v)
            levels_[v] = Replicate(v, width);
    }
    std::uint32_t Level(std::uint32_t pixel) const { return levels_[(pixel >> shift_) & mask_]; }
    bool Present() const { return mask_ != 0; }

private:
    // v of width bits repeated until it fills 8: 5 bits abcde give abcdeabc.
    static std::uint8_t Replicate(std::uint32_t v, int width) {
        std::uint32_t out = 0;
        int filled = 0;
        while (filled < 8) {
            out = out << width | v;
            filled += width;
        }
        return static_cast<std::uint8_t>(out >> (filled - 8));
    }

    int shift_ = 0;
    std::uint32_t mask_ = 0;
    std::array<std::uint8_t, 256> levels_{};
};

bool IsRun(std::uint32_t mask) {
    return mask == 0 || std::has_single_bit((mask >> std::countr_zero(mask)) + 1);
}

const uchar* RowData(QByteArrayView bytes, const TRows& layout, int y) {
    const std::int64_t fileRow = layout.bottomUp ? layout.rows - 1 - y : y;
    return reinterpret_cast<const uchar*>(bytes.data()) + layout.dataOffset + fileRow * layout.Stride();
}

// Every alpha value made opaque: the file declared alpha but filled none.
void MakeOpaque(QImage& image) {
    image.reinterpretAsFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] |= 0xFF000000u;
    }
}

} // namespace

bool MasksAreRuns(const TMasks& masks) {
    return IsRun(masks.red) && IsRun(masks.green) && IsRun(masks.blue) && IsRun(masks.alpha);
}

TPictureResult DecodeBitFields(QByteArrayView bytes, const TRows& layout, const TMasks& masks) {
    const TChannel r(masks.red), g(masks.green), b(masks.blue), a(masks.alpha);
    QImage image(static_cast<int>(layout.width), static_cast<int>(layout.rows),
                 a.Present() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    const int bytesPerPixel = layout.bits / 8;
    std::uint32_t anyAlpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* src = RowData(bytes, layout, y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, src += bytesPerPixel) {
            std::uint32_t p = src[0] | static_cast<std::uint32_t>(src[1]) << 8;
            if (bytesPerPixel == 4)
                p |= static_cast<std::uint32_t>(src[2]) << 16 | static_cast<std::uint32_t>(src[3]) << 24;
            const std::uint32_t alpha = a.Present() ? a.Level(p) : 0xFF;
            anyAlpha |= alpha;
            dst[x] = alpha << 24 | r.Level(p) << 16 | g.Level(p) << 8 | b.Level(p);
        }
    }
    if (a.Present() && anyAlpha == 0)
        MakeOpaque(image);
    return {std::move(image), TPictureFault::None};
}

TPictureResult DecodePaletted(QByteArrayView bytes, const TRows& layout, const std::vector<std::uint32_t>& palette) {
    QImage image(static_cast<int>(layout.width), static_cast<int>(layout.rows), QImage::Format_RGB32);
    if (image.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    const auto colour = [&palette](std::uint32_t index) {
        return index < palette.size() ? palette[index] : 0xFF000000u;
    };
    const int bits = layout.bits;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* src = RowData(bytes, layout, y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (bits == 24) {
                dst[x] = 0xFF000000u | static_cast<std::uint32_t>(src[3 * x + 2]) << 16 |
                         static_cast<std::uint32_t>(src[3 * x + 1]) << 8 | src[3 * x];
                continue;
            }
            const int bit = x * bits;
            const std::uint32_t index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            dst[x] = colour(index);
        }
    }
    return {std::move(image), TPictureFault::None};
}

} // namespace bmp
