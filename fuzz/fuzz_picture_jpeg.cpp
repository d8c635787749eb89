// Arbitrary bytes as a ".jpg" file.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPictureFile(QStringLiteral("picture.jpg"), data, size);
}
