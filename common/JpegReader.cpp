#include "JpegReader.h"

#include "ExifOrientation.h"

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

namespace {

// libjpeg reports errors through error_exit, which by default ends the
// program. Ours jumps back to the phase that was running. Each phase is a
// function of its own holding nothing with a destructor, so the jump skips no
// C++ cleanup; the objects that own memory live in ReadJpeg.

struct TJpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    bool warned;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    std::longjmp(error->jump, 1);
}

// Warnings (a truncated file, corrupt data) are remembered and make the load
// fail; nothing is printed.
extern "C" void JpegEmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0)
        reinterpret_cast<TJpegError*>(cinfo->err)->warned = true;
}

extern "C" void JpegOutputMessage(j_common_ptr) {}

struct TJpegDecompress {
    jpeg_decompress_struct cinfo{};
    TJpegError error{};
    TJpegDecompress() {
        cinfo.err = jpeg_std_error(&error.mgr);
        error.mgr.error_exit = JpegErrorExit;
        error.mgr.emit_message = JpegEmitMessage;
        error.mgr.output_message = JpegOutputMessage;
        jpeg_create_decompress(&cinfo);
    }
    ~TJpegDecompress() { jpeg_destroy_decompress(&cinfo); }
    TJpegDecompress(const TJpegDecompress&) = delete;
    TJpegDecompress& operator=(const TJpegDecompress&) = delete;
};

bool IsFourChannel(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// What a header that cannot be read says of the file: POD, as it crosses the jump.
struct THeaderFault {
    TPictureFault fault = TPictureFault::None;
    TPictureVariant variant = TPictureVariant::None;
    int bits = 0;
};

// The library's own error code tells a variant it does not decode from damage.
THeaderFault HeaderFault(const jpeg_decompress_struct* cinfo, const TJpegError* error) {
    switch (error->mgr.msg_code) {
    case JERR_BAD_PRECISION:
        return {TPictureFault::Unsupported, TPictureVariant::SampleBits, cinfo->data_precision};
    case JERR_SOF_UNSUPPORTED:
    case JERR_NOT_COMPILED:
    case JERR_NOTIMPL:
        return {TPictureFault::Unsupported, TPictureVariant::JpegProcess, 0};
    default:
        return {TPictureFault::Damaged};
    }
}

// Reads the header and chooses the output: BGRX rows (the memory order of
// Format_RGB32 on little-endian) for grey and colour files; CMYK rows,
// converted by ConvertCmykRows afterwards, for four-channel files (the
// library turns YCCK into CMYK itself).
// The Exif block is kept for its orientation.
THeaderFault ReadJpegHeader(jpeg_decompress_struct* cinfo, TJpegError* error) {
    if (setjmp(error->jump))
        return HeaderFault(cinfo, error);
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return {TPictureFault::Damaged};
    cinfo->out_color_space = IsFourChannel(cinfo->jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGRX;
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_calc_output_dimensions(cinfo);
    return {cinfo->output_components == 4 ? TPictureFault::None : TPictureFault::Damaged};
}

// The orientation of the first Exif block; 1 without one.
int JpegOrientation(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
            return ExifOrientation(QByteArrayView(reinterpret_cast<const char*>(m->data), m->data_length));
    return 1;
}

bool DecodeJpegRows(jpeg_decompress_struct* cinfo, TJpegError* error, uchar* bits, qsizetype bytesPerLine) {
    if (setjmp(error->jump))
        return false;
    if (!jpeg_start_decompress(cinfo))
        return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(cinfo->output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(cinfo);
    return !error->warned;
}

// x * y / 255, rounded, for 0..255.
inline std::uint32_t Product255(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t t = x * y + 128;
    return (t + (t >> 8)) >> 8;
}

// Rewrites CMYK rows in place as RGB32 pixels. Files with an Adobe marker
// (nearly every tool writes one) store the inks inverted, 255 meaning none;
// files without one store the ink amounts themselves.
void ConvertCmykRows(QImage& image, bool inverted) {
    const std::uint32_t flip = inverted ? 0 : 255;
    for (int y = 0; y < image.height(); ++y) {
        uchar* bytes = image.scanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(bytes);
        for (int x = 0; x < image.width(); ++x) {
            const uchar* ink = bytes + 4 * x;
            const std::uint32_t c = ink[0] ^ flip;
            const std::uint32_t m = ink[1] ^ flip;
            const std::uint32_t yellow = ink[2] ^ flip;
            const std::uint32_t k = ink[3] ^ flip;
            pixels[x] = 0xFF000000u | Product255(c, k) << 16 | Product255(m, k) << 8 | Product255(yellow, k);
        }
    }
}

bool StartsLikeJpeg(QByteArrayView bytes) {
    return bytes.size() >= 2 && static_cast<uchar>(bytes[0]) == 0xFF && static_cast<uchar>(bytes[1]) == 0xD8;
}

} // namespace

TPictureResult ReadJpeg(QByteArrayView bytes, std::int64_t maxBytes) {
    if (!StartsLikeJpeg(bytes))
        return TPictureResult::Failed(bytes.isEmpty() ? TPictureFault::Damaged : TPictureFault::UnknownFormat);
    TJpegDecompress jpeg;
    jpeg_mem_src(&jpeg.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    const THeaderFault header = ReadJpegHeader(&jpeg.cinfo, &jpeg.error);
    if (header.fault == TPictureFault::Unsupported)
        return TPictureResult::Unsupported(header.variant, header.bits);
    if (header.fault != TPictureFault::None)
        return TPictureResult::Failed(header.fault);
    const int orientation = JpegOrientation(jpeg.cinfo); // the saved markers go with the decoding
    if (!PictureFits(jpeg.cinfo.output_width, jpeg.cinfo.output_height, maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage decoded(static_cast<int>(jpeg.cinfo.output_width), static_cast<int>(jpeg.cinfo.output_height),
                   QImage::Format_RGB32);
    if (decoded.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    if (!DecodeJpegRows(&jpeg.cinfo, &jpeg.error, decoded.bits(), decoded.bytesPerLine()))
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (jpeg.cinfo.out_color_space == JCS_CMYK)
        ConvertCmykRows(decoded, jpeg.cinfo.saw_Adobe_marker);
    return {ApplyOrientation(std::move(decoded), orientation), TPictureFault::None};
}
