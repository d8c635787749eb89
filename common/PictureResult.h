#pragma once

#include <QImage>

#include <cstdint>

// Pictures larger than this many bytes of 32-bit pixels are refused before
// anything is allocated.
constexpr std::int64_t MAX_PICTURE_BYTES = 256LL * 1024 * 1024;

// Why a picture could not be read.
enum class TPictureFault {
    None,          // read
    UnknownFormat, // not a format that is imported, or the content is not of the named format
    CannotOpen,    // the file cannot be opened or read
    Damaged,       // truncated or corrupt
    TooLarge,      // more pixels than the limit allows
};

// A picture reader's result: a Format_RGB32 picture, or a null image and the
// reason.
struct TPictureResult {
    QImage image;
    TPictureFault fault = TPictureFault::None;

    bool Ok() const { return fault == TPictureFault::None; }
    static TPictureResult Failed(TPictureFault why) { return {QImage(), why}; }
};

// True when width x height 32-bit pixels are positive and within maxBytes.
inline bool PictureFits(std::int64_t width, std::int64_t height, std::int64_t maxBytes) {
    return width > 0 && height > 0 && width <= maxBytes / 4 / height;
}
