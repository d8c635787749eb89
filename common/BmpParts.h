#pragma once

// The pieces of the bitmap reader, shared by its files only.
#include "PictureResult.h"

#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <vector>

namespace bmp {

constexpr qsizetype FILE_HEADER = 14;
constexpr qsizetype CORE_HEADER = 12;
constexpr qsizetype INFO_HEADER = 40;

inline std::uint32_t Le16(QByteArrayView b, qsizetype pos) {
    return static_cast<std::uint32_t>(static_cast<uchar>(b[pos])) |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 1])) << 8;
}

inline std::uint32_t Le32(QByteArrayView b, qsizetype pos) {
    return Le16(b, pos) | Le16(b, pos + 2) << 16;
}

// Where the pixel rows lie and how they are laid out.
struct TRows {
    std::int64_t dataOffset = 0;
    std::int64_t width = 0;
    std::int64_t rows = 0;
    bool bottomUp = true;
    int bits = 0;

    std::int64_t Stride() const { return (width * bits + 31) / 32 * 4; }
    bool Within(std::int64_t size) const { return dataOffset >= 0 && dataOffset + Stride() * rows <= size; }
};

// The masks of a bit-field bitmap; alpha 0 when it has no alpha.
struct TMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
};

// True when each mask is one run of set bits (or none).
bool MasksAreRuns(const TMasks& masks);

// 16- or 32-bit rows through their masks. A file whose alpha is 0 in every
// pixel is taken as opaque: some writers declare an alpha mask and fill none.
TPictureResult DecodeBitFields(QByteArrayView bytes, const TRows& layout, const TMasks& masks);

// 1-, 4-, 8- or 24-bit rows through a palette (unused for 24 bits); indices
// beyond the palette are black.
TPictureResult DecodePaletted(QByteArrayView bytes, const TRows& layout, const std::vector<std::uint32_t>& palette);

// True when the run-length coded pixels from offset reach the end of the
// picture (its end mark, or past its last row) before the data ends.
bool RunLengthComplete(QByteArrayView bytes, std::int64_t offset, std::int64_t rows, int bits);

} // namespace bmp
