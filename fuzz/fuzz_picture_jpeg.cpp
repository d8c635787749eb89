// Arbitrary bytes as a JPEG.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPicture(TPictureFormat::Jpeg, data, size);
}
