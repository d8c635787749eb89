#include "ExifOrientation.h"

#include <QTransform>

#include <cstdint>

namespace {

constexpr std::uint32_t ORIENTATION_TAG = 0x0112;
constexpr std::uint32_t SHORT_TYPE = 3;

// Reads the TIFF structure inside the block, in its own byte order.
class TTiffBytes {
public:
    TTiffBytes(QByteArrayView tiff, bool bigEndian) : tiff_(tiff), bigEndian_(bigEndian) {}
    bool Has(std::uint64_t pos, std::uint64_t length) const {
        return pos + length <= static_cast<std::uint64_t>(tiff_.size());
    }
    std::uint32_t U16(std::uint64_t pos) const { return Get(pos, 2); }
    std::uint32_t U32(std::uint64_t pos) const { return Get(pos, 4); }

private:
    std::uint32_t Get(std::uint64_t pos, int count) const {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            const auto byte = static_cast<std::uint32_t>(static_cast<uchar>(tiff_[static_cast<qsizetype>(pos) + i]));
            v |= bigEndian_ ? byte << (8 * (count - 1 - i)) : byte << (8 * i);
        }
        return v;
    }
    QByteArrayView tiff_;
    bool bigEndian_;
};

} // namespace

int ExifOrientation(QByteArrayView app1) {
    const QByteArrayView head("Exif\0\0", 6);
    if (app1.size() < head.size() + 8 || app1.first(head.size()) != head)
        return 1;
    const QByteArrayView tiff = app1.sliced(head.size());
    const bool big = tiff.startsWith("MM");
    if (!big && !tiff.startsWith("II"))
        return 1;
    const TTiffBytes b(tiff, big);
    if (b.U16(2) != 42)
        return 1;
    const std::uint64_t ifd = b.U32(4);
    if (!b.Has(ifd, 2))
        return 1;
    const std::uint32_t entries = b.U16(ifd);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = ifd + 2 + 12ULL * i;
        if (!b.Has(entry, 12))
            return 1;
        if (b.U16(entry) != ORIENTATION_TAG)
            continue;
        const std::uint32_t value = b.U16(entry + 8);
        const bool usable = b.U16(entry + 2) == SHORT_TYPE && b.U32(entry + 4) >= 1 && value >= 1 && value <= 8;
        return usable ? static_cast<int>(value) : 1;
    }
    return 1;
}

QImage ApplyOrientation(QImage picture, int orientation) {
    switch (orientation) {
    case 2:
        return picture.mirrored(true, false);
    case 3:
        return picture.mirrored(true, true);
    case 4:
        return picture.mirrored(false, true);
    case 5:
        return picture.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return picture.transformed(QTransform().rotate(90));
    case 7:
        return picture.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8:
        return picture.transformed(QTransform().rotate(270));
    default:
        return picture;
    }
}
