#pragma once

// Arbitrary bytes as a picture of one format, read in memory: the read either
// fails with a reason and no picture, or gives a 32-bit picture (opaque, or
// with alpha whose fully transparent pixels are all alike) within the cap
// whose every row can be read. An input may declare at most
// FUZZ_MAX_PIXELS pixels (libjpeg-turbo's own fuzzers cap theirs the same
// way), so the time goes to parsing rather than to filling large pictures.
#include "PictureFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

constexpr std::int64_t FUZZ_MAX_PIXELS = 1 << 20;

inline int FuzzPicture(TPictureFormat format, const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) {
        if (!condition)
            std::abort();
    };
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TPictureResult result = ReadPicture(bytes, format, FUZZ_MAX_PIXELS * 4);
    if (!result.Ok()) {
        check(result.image.isNull());
        return 0;
    }
    const QImage& image = result.image;
    const bool alpha = image.format() == QImage::Format_ARGB32;
    check(!image.isNull() && (alpha || image.format() == QImage::Format_RGB32));
    check(static_cast<std::int64_t>(image.width()) * image.height() <= FUZZ_MAX_PIXELS);
    volatile QRgb sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb last = image.pixel(image.width() - 1, y);
        check(!alpha || qAlpha(last) != 0 || last == 0x00808080u);
        sum = sum + last;
    }
    return 0;
}
