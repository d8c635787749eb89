#pragma once

// Arbitrary bytes as a picture file of the given name: the load either fails
// and leaves the picture untouched, or gives a 32-bit picture within the size
// limit whose every row can be read.
#include "FuzzTempFile.h"
#include "PictureFile.h"

#include <cstdlib>

inline int FuzzPictureFile(const QString& fileName, const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) {
        if (!condition)
            std::abort();
    };
    const QString path = TFuzzFolder::Get().Write(fileName, data, size);
    if (path.isEmpty())
        return 0;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(0xFF123456u);
    if (!LoadPictureFile(image, path)) {
        check(image.width() == 3 && image.height() == 2 && image.pixel(2, 1) == 0xFF123456u);
        return 0;
    }
    check(!image.isNull() && image.format() == QImage::Format_RGB32);
    check(static_cast<std::int64_t>(image.width()) * image.height() * 4 <= MAX_PICTURE_BYTES);
    volatile QRgb sum = 0;
    for (int y = 0; y < image.height(); ++y)
        sum = sum + image.pixel(image.width() - 1, y);
    return 0;
}
