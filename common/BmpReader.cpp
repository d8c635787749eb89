#include "BmpReader.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace {

constexpr qsizetype FILE_HEADER = 14;
constexpr qsizetype INFO_HEADER = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

std::uint32_t Le32(QByteArrayView b, qsizetype pos) {
    return static_cast<std::uint32_t>(static_cast<uchar>(b[pos])) |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 3])) << 24;
}

std::uint32_t Le16(QByteArrayView b, qsizetype pos) {
    return static_cast<std::uint32_t>(static_cast<uchar>(b[pos])) |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 1])) << 8;
}

// The fields of a BITMAPINFOHEADER (or a later, longer header).
struct TBmpInfo {
    std::uint32_t dataOffset = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows top down
    int bits = 0;
    std::uint32_t compression = 0;

    std::int64_t Rows() const { return std::abs(height); }
    std::int64_t Stride() const { return (width * bits + 31) / 32 * 4; }
    bool Uncompressed() const {
        return compression == BI_RGB || compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    }
};

TBmpInfo ReadInfo(QByteArrayView bytes) {
    TBmpInfo info;
    info.dataOffset = Le32(bytes, 10);
    info.width = static_cast<std::int32_t>(Le32(bytes, 18));
    info.height = static_cast<std::int32_t>(Le32(bytes, 22));
    info.bits = static_cast<int>(Le16(bytes, 28));
    info.compression = Le32(bytes, 30);
    return info;
}

// One colour channel of 16-bit pixels: where its bits lie and what each of
// its values becomes at 8 bits.
class TChannel {
public:
    explicit TChannel(std::uint32_t mask) {
        mask &= 0xFFFF;
        if (mask == 0)
            return;
        shift_ = std::countr_zero(mask);
        int width = std::countr_one(mask >> shift_);
        if (width > 8) { // keep the top 8 bits
            shift_ += width - 8;
            width = 8;
        }
        mask_ = (1u << width) - 1;
        for (std::uint32_t v = 0; v <= mask_; ++v)
            levels_[v] = Replicate(v, width);
    }
    std::uint32_t Level(std::uint32_t pixel) const { return levels_[(pixel >> shift_) & mask_]; }

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

TPictureResult ReadBmp16(QByteArrayView bytes, const TBmpInfo& info) {
    std::uint32_t red = 0x7C00, green = 0x03E0, blue = 0x001F; // BI_RGB: 5-5-5
    if (info.compression != BI_RGB) {
        // The masks follow a 40-byte header, and sit at the same place inside a longer one.
        if (bytes.size() < FILE_HEADER + INFO_HEADER + 12)
            return TPictureResult::Failed(TPictureFault::Damaged);
        red = Le32(bytes, FILE_HEADER + INFO_HEADER);
        green = Le32(bytes, FILE_HEADER + INFO_HEADER + 4);
        blue = Le32(bytes, FILE_HEADER + INFO_HEADER + 8);
    }
    const TChannel r(red), g(green), b(blue);
    QImage image(static_cast<int>(info.width), static_cast<int>(info.Rows()), QImage::Format_RGB32);
    if (image.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    const auto* data = reinterpret_cast<const uchar*>(bytes.data()) + info.dataOffset;
    for (int y = 0; y < image.height(); ++y) {
        const int fileRow = info.height > 0 ? image.height() - 1 - y : y;
        const uchar* src = data + fileRow * info.Stride();
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = src[2 * x] | static_cast<std::uint32_t>(src[2 * x + 1]) << 8;
            dst[x] = 0xFF000000u | r.Level(p) << 16 | g.Level(p) << 8 | b.Level(p);
        }
    }
    return {std::move(image), TPictureFault::None};
}

TPictureResult ReadWithQt(QByteArrayView bytes, std::int64_t maxBytes) {
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!buffer.open(QIODevice::ReadOnly))
        return TPictureResult::Failed(TPictureFault::CannotOpen);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(std::max<std::int64_t>(1, maxBytes / (1024 * 1024))));
    const QSize size(reader.size().width(), std::abs(reader.size().height())); // top-down rows: negative height
    if (size.isEmpty())
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(size.width(), size.height(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return TPictureResult::Failed(TPictureFault::Damaged);
    decoded.convertTo(QImage::Format_RGB32);
    if (decoded.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    return {std::move(decoded), TPictureFault::None};
}

} // namespace

TPictureResult ReadBmp(QByteArrayView bytes, std::int64_t maxBytes) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return TPictureResult::Failed(bytes.size() < 2 ? TPictureFault::Damaged : TPictureFault::UnknownFormat);
    if (bytes.size() < FILE_HEADER + 4 + 2 * 4 + 4 + 4) // up to the compression field
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (Le32(bytes, FILE_HEADER) < INFO_HEADER)
        return ReadWithQt(bytes, maxBytes); // the old core header
    const TBmpInfo info = ReadInfo(bytes);
    if (info.width <= 0 || info.height == 0)
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(info.width, info.Rows(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    // The Qt reader fills missing rows of a short uncompressed bitmap instead
    // of failing; a run-length coded one's length cannot be told from its header.
    if (info.Uncompressed() && bytes.size() < static_cast<std::int64_t>(info.dataOffset) + info.Stride() * info.Rows())
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (info.bits == 16 && info.Uncompressed())
        return ReadBmp16(bytes, info);
    return ReadWithQt(bytes, maxBytes);
}
