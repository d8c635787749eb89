#include "BmpReader.h"

#include "BmpParts.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <optional>

using namespace bmp;

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_JPEG = 4;
constexpr std::uint32_t BI_PNG = 5;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;
constexpr qsizetype OS2_V2_HEADER = 64; // its methods 3 and 4 are Huffman and RLE24
constexpr qsizetype MASKS = FILE_HEADER + INFO_HEADER;

// The fields of a BITMAPINFOHEADER (or a later, longer header).
struct TBmpInfo {
    std::uint32_t headerSize = 0;
    TRows layout;
    std::int64_t height = 0; // negative: rows top down
    std::uint32_t compression = 0;

    bool BitFields() const { return compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS; }
    bool Uncompressed() const { return compression == BI_RGB || BitFields(); }
};

TBmpInfo ReadInfo(QByteArrayView bytes) {
    TBmpInfo info;
    info.headerSize = Le32(bytes, FILE_HEADER);
    info.layout.dataOffset = Le32(bytes, 10);
    info.layout.width = static_cast<std::int32_t>(Le32(bytes, 18));
    info.height = static_cast<std::int32_t>(Le32(bytes, 22));
    info.layout.rows = std::abs(info.height);
    info.layout.bottomUp = info.height > 0;
    info.layout.bits = static_cast<int>(Le16(bytes, 28));
    info.compression = Le32(bytes, 30);
    return info;
}

bool IsPixelDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A compression the reader does not decode, or a depth no bitmap has.
std::optional<TPictureResult> Unsupported(const TBmpInfo& info) {
    if (info.compression == BI_JPEG && info.headerSize != OS2_V2_HEADER)
        return TPictureResult::Unsupported(TPictureVariant::EmbeddedFormat, 0, TPictureFormat::Jpeg);
    if (info.compression == BI_PNG)
        return TPictureResult::Unsupported(TPictureVariant::EmbeddedFormat, 0, TPictureFormat::Png);
    const bool os2Method = info.headerSize == OS2_V2_HEADER && (info.compression == 3 || info.compression == 4);
    // Beyond the methods and depths any writer uses, the header is garbage.
    constexpr std::uint32_t LAST_KNOWN_METHOD = 13;
    constexpr int DEEPEST = 64;
    if (os2Method || (info.compression > BI_ALPHABITFIELDS && info.compression <= LAST_KNOWN_METHOD))
        return TPictureResult::Unsupported(TPictureVariant::Compression, static_cast<int>(info.compression));
    if (!IsPixelDepth(info.layout.bits) && info.layout.bits > 0 && info.layout.bits <= DEEPEST)
        return TPictureResult::Unsupported(TPictureVariant::PixelBits, info.layout.bits);
    return std::nullopt;
}

// The masks of 16- and 32-bit pixels: the defaults without bit fields, else
// those after a 40-byte header, which sit at the same place inside a longer
// one (the alpha mask only in a header of 56 bytes or more).
std::optional<TMasks> ReadMasks(QByteArrayView bytes, const TBmpInfo& info) {
    const bool sixteen = info.layout.bits == 16;
    if (!info.BitFields())
        return sixteen ? TMasks{0x7C00, 0x03E0, 0x001F, 0} : TMasks{0xFF0000, 0xFF00, 0xFF, 0};
    const bool alpha = info.compression == BI_ALPHABITFIELDS || info.headerSize >= 56;
    if (bytes.size() < MASKS + (alpha ? 16 : 12))
        return std::nullopt;
    TMasks masks{Le32(bytes, MASKS), Le32(bytes, MASKS + 4), Le32(bytes, MASKS + 8),
                 alpha ? Le32(bytes, MASKS + 12) : 0};
    if (sixteen) {
        masks.red &= 0xFFFF;
        masks.green &= 0xFFFF;
        masks.blue &= 0xFFFF;
        masks.alpha &= 0xFFFF;
    }
    if (!MasksAreRuns(masks))
        return std::nullopt;
    return masks;
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

// The old OS/2 core header: 16-bit sizes, rows bottom up, a palette of
// three-byte entries after the header, the rows where the file header says.
TPictureResult ReadCoreBmp(QByteArrayView bytes, std::int64_t maxBytes) {
    constexpr qsizetype PALETTE = FILE_HEADER + CORE_HEADER;
    if (bytes.size() < PALETTE)
        return TPictureResult::Failed(TPictureFault::Damaged);
    TRows layout{Le32(bytes, 10), Le16(bytes, 18), Le16(bytes, 20), true, static_cast<int>(Le16(bytes, 24))};
    if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24)
        return TPictureResult::Unsupported(TPictureVariant::PixelBits, layout.bits);
    if (layout.width == 0 || layout.rows == 0 || layout.dataOffset < PALETTE)
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(layout.width, layout.rows, maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    if (!layout.Within(bytes.size()))
        return TPictureResult::Failed(TPictureFault::Damaged);
    std::vector<std::uint32_t> palette;
    const std::int64_t entries =
        layout.bits == 24 ? 0 : std::min<std::int64_t>(1 << layout.bits, (layout.dataOffset - PALETTE) / 3);
    for (std::int64_t i = 0; i < entries; ++i) {
        const qsizetype at = PALETTE + 3 * i;
        palette.push_back(0xFF000000u | Le16(bytes, at + 1) << 8 | static_cast<uchar>(bytes[at]));
    }
    return DecodePaletted(bytes, layout, palette);
}

} // namespace

TPictureResult ReadBmp(QByteArrayView bytes, std::int64_t maxBytes) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return TPictureResult::Failed(bytes.size() < 2 ? TPictureFault::Damaged : TPictureFault::UnknownFormat);
    if (bytes.size() < FILE_HEADER + 4)
        return TPictureResult::Failed(TPictureFault::Damaged);
    const std::uint32_t headerSize = Le32(bytes, FILE_HEADER);
    if (headerSize == CORE_HEADER)
        return ReadCoreBmp(bytes, maxBytes);
    if (headerSize < INFO_HEADER || bytes.size() < FILE_HEADER + INFO_HEADER)
        return TPictureResult::Failed(TPictureFault::Damaged);
    const TBmpInfo info = ReadInfo(bytes);
    if (std::optional<TPictureResult> unsupported = Unsupported(info))
        return std::move(*unsupported);
    const TRows& layout = info.layout;
    if (layout.width <= 0 || layout.rows == 0 || info.compression > BI_ALPHABITFIELDS || !IsPixelDepth(layout.bits))
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(layout.width, layout.rows, maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
        const int bits = info.compression == BI_RLE8 ? 8 : 4;
        if (layout.bits != bits || !RunLengthComplete(bytes, layout.dataOffset, layout.rows, bits))
            return TPictureResult::Failed(TPictureFault::Damaged);
        return ReadWithQt(bytes, maxBytes);
    }
    // The Qt reader fills missing rows of a short bitmap instead of failing.
    if (!layout.Within(bytes.size()))
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (layout.bits == 16 || layout.bits == 32) {
        const std::optional<TMasks> masks = ReadMasks(bytes, info);
        if (!masks)
            return TPictureResult::Failed(TPictureFault::Damaged);
        return DecodeBitFields(bytes, layout, *masks);
    }
    if (info.BitFields())
        return TPictureResult::Failed(TPictureFault::Damaged); // bit fields of other depths
    return ReadWithQt(bytes, maxBytes);
}
