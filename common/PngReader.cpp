#include "PngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// libpng reports errors through a function that must not return; ours jumps
// back to the phase that was running. As in the JPEG reader, each phase is a
// function holding nothing with a destructor, so the jump skips no C++
// cleanup. Warnings are dropped.

struct TPngSource {
    const png_byte* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
};

extern "C" void PngReadBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->pos)
        png_error(png, "truncated");
    std::memcpy(out, source->data + source->pos, length);
    source->pos += length;
}

extern "C" void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

extern "C" void PngWarning(png_structp, png_const_charp) {}

struct TPngDecompress {
    png_structp png = nullptr;
    png_infop info = nullptr;
    TPngDecompress() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
        if (png)
            info = png_create_info_struct(png);
    }
    ~TPngDecompress() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
    TPngDecompress(const TPngDecompress&) = delete;
    TPngDecompress& operator=(const TPngDecompress&) = delete;
};

// Reads the header and asks for 8-bit BGRA rows (the memory order of
// Format_ARGB32 on little-endian): palettes and small greys expanded,
// transparency turned into alpha, grey made colour, opaque files given a
// full alpha byte. Sets hasAlpha when the file has any transparency.
bool ReadPngHeader(png_structp png, png_infop info, bool* hasAlpha, std::uint32_t* width, std::uint32_t* height) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    *hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png); // before scaling, so a 16-bit transparent colour is compared at 16 bits
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!*hasAlpha)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == static_cast<png_size_t>(*width) * 4;
}

bool ReadPngRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

} // namespace

TPictureResult ReadPng(QByteArrayView bytes, std::int64_t maxBytes) {
    const auto* data = reinterpret_cast<const png_byte*>(bytes.data());
    if (bytes.size() < 8)
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (png_sig_cmp(data, 0, 8) != 0)
        return TPictureResult::Failed(TPictureFault::UnknownFormat);
    TPngDecompress decoder;
    if (!decoder.info)
        return TPictureResult::Failed(TPictureFault::TooLarge);
    TPngSource source{data, static_cast<std::size_t>(bytes.size()), 0};
    png_set_read_fn(decoder.png, &source, PngReadBytes);
    png_set_user_limits(decoder.png, 0x7FFFFFFF, 0x7FFFFFFF);
    bool hasAlpha = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!ReadPngHeader(decoder.png, decoder.info, &hasAlpha, &width, &height))
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(width, height, maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage image(static_cast<int>(width), static_cast<int>(height),
                 hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    std::vector<png_bytep> rows(height);
    for (std::uint32_t y = 0; y < height; ++y)
        rows[y] = image.scanLine(static_cast<int>(y));
    if (!ReadPngRows(decoder.png, decoder.info, rows.data()))
        return TPictureResult::Failed(TPictureFault::Damaged);
    return {std::move(image), TPictureFault::None};
}
