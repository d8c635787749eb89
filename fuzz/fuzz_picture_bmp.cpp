// Arbitrary bytes as a Windows bitmap.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPicture(TPictureFormat::Bmp, data, size);
}
