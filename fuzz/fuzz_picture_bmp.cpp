// Arbitrary bytes as a ".bmp" file.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPictureFile(QStringLiteral("picture.bmp"), data, size);
}
