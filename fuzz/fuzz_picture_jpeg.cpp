// Arbitrary bytes as a ".jpg" file: the load either fails and leaves the
// picture untouched, or gives a 32-bit picture within the size limit.
#include "FuzzTempFile.h"
#include "PictureFile.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = TFuzzFolder::Get().Write(QStringLiteral("picture.jpg"), data, size);
    if (path.isEmpty())
        return 0;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(0xFF123456u);
    if (!LoadPictureFile(image, path)) {
        Check(image.width() == 3 && image.height() == 2 && image.pixel(2, 1) == 0xFF123456u);
        return 0;
    }
    Check(!image.isNull() && image.format() == QImage::Format_RGB32);
    Check(static_cast<std::int64_t>(image.width()) * image.height() * 4 <= MAX_PICTURE_BYTES);
    // Touch every row so that a short buffer shows up.
    volatile QRgb sum = 0;
    for (int y = 0; y < image.height(); ++y)
        sum = sum + image.pixel(image.width() - 1, y);
    return 0;
}
