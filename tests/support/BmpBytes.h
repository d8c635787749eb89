#pragma once

// Bitmap files byte by byte, for the readers' tests: the headers a writer
// would not produce (OS/2 core headers, bit fields, alpha masks) are built
// here from their fields.
#include <QByteArray>

#include <cstdint>
#include <vector>

inline void PutLe16(QByteArray& bytes, int pos, std::uint32_t value) {
    bytes[pos] = static_cast<char>(value & 0xFF);
    bytes[pos + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void PutLe32(QByteArray& bytes, int pos, std::uint32_t value) {
    PutLe16(bytes, pos, value & 0xFFFF);
    PutLe16(bytes, pos + 2, value >> 16);
}

// The values one after the other, four little-endian bytes each.
inline QByteArray Le32s(const std::vector<std::uint32_t>& values) {
    QByteArray bytes(static_cast<qsizetype>(values.size()) * 4, '\0');
    for (std::size_t i = 0; i < values.size(); ++i)
        PutLe32(bytes, static_cast<int>(i) * 4, values[i]);
    return bytes;
}

// A bitmap file: the file header, an information header of headerSize bytes
// (12 the OS/2 core header) of which the size, bit and compression fields are
// filled, then `between` (masks, palette, a gap) and the pixel data.
inline QByteArray BmpFile(int headerSize, int width, int height, int bits, std::uint32_t compression,
                          const QByteArray& between, const QByteArray& pixels) {
    QByteArray b(14 + headerSize, '\0');
    b[0] = 'B';
    b[1] = 'M';
    const int offset = 14 + headerSize + static_cast<int>(between.size());
    PutLe32(b, 2, static_cast<std::uint32_t>(offset + pixels.size()));
    PutLe32(b, 10, static_cast<std::uint32_t>(offset));
    PutLe32(b, 14, static_cast<std::uint32_t>(headerSize));
    if (headerSize == 12) {
        PutLe16(b, 18, static_cast<std::uint32_t>(width));
        PutLe16(b, 20, static_cast<std::uint32_t>(height));
        PutLe16(b, 22, 1);
        PutLe16(b, 24, static_cast<std::uint32_t>(bits));
    } else {
        PutLe32(b, 18, static_cast<std::uint32_t>(width));
        PutLe32(b, 22, static_cast<std::uint32_t>(height));
        PutLe16(b, 26, 1);
        PutLe16(b, 28, static_cast<std::uint32_t>(bits));
        PutLe32(b, 30, compression);
    }
    return b + between + pixels;
}
