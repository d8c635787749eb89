#pragma once

#include "PictureFormat.h"

#include <QImage>

#include <cstdint>

// Pictures larger than this many bytes of 32-bit pixels are refused before
// anything is allocated.
constexpr std::int64_t MAX_PICTURE_BYTES = 256LL * 1024 * 1024;

// Why a picture could not be read.
enum class TPictureFault {
    None,          // read
    UnknownFormat, // the name or the content is of no format that is imported
    NamedWrongly,  // the content is another imported format than the name says (`content`)
    Unsupported,   // a variant of the format that is not read (`variant`)
    CannotOpen,    // the file cannot be opened or read
    Damaged,       // truncated or corrupt
    TooLarge,      // more pixels than the limit allows
};

// Which variant of a format is not read.
enum class TPictureVariant {
    None,
    SampleBits,     // a JPEG of `bits` bits a sample (only 8 are read)
    JpegProcess,    // a JPEG coded in a way the decoder lacks (lossless, hierarchical)
    PixelBits,      // a bitmap of `bits` bits a pixel
    EmbeddedFormat, // a bitmap that holds a `content` picture instead of pixels
    Compression,    // a bitmap compressed by method number `bits`
    NoReader,       // the format's image plugin is not installed
};

// A picture reader's result: a picture, or a null image and the reason. A
// picture that is opaque is Format_RGB32; one with transparency is
// Format_ARGB32 (not premultiplied), its fully transparent pixels all
// 0x00808080.
struct TPictureResult {
    QImage image;
    TPictureFault fault = TPictureFault::None;
    TPictureFormat named = TPictureFormat::Unknown;   // the format the file's name says, when read from a file
    TPictureFormat content = TPictureFormat::Unknown; // NamedWrongly, EmbeddedFormat: the format found
    TPictureVariant variant = TPictureVariant::None;  // Unsupported: what
    int bits = 0;                                     // SampleBits, PixelBits, Compression: the number

    bool Ok() const { return fault == TPictureFault::None; }
    static TPictureResult Failed(TPictureFault why) { return {QImage(), why}; }
    static TPictureResult Unsupported(TPictureVariant what, int bits = 0,
                                      TPictureFormat content = TPictureFormat::Unknown) {
        TPictureResult result = Failed(TPictureFault::Unsupported);
        result.variant = what;
        result.bits = bits;
        result.content = content;
        return result;
    }
};

// True when width x height 32-bit pixels are positive and within maxBytes.
inline bool PictureFits(std::int64_t width, std::int64_t height, std::int64_t maxBytes) {
    return width > 0 && height > 0 && width <= maxBytes / 4 / height;
}
