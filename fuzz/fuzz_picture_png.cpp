// Arbitrary bytes as a PNG.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPicture(TPictureFormat::Png, data, size);
}
