#include "JpegBytes.h"

// jpeglib.h needs the standard types and FILE declared before it.
#include <jpeglib.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// One row of pixels of the given inks, inverted when flip is 0xFF.
void FillRow(std::vector<unsigned char>& row, const TInks& inks, unsigned char flip) {
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<unsigned char>(inks[i % 4] ^ flip);
}

// A width x height picture of `components` channels in the colour space
// `in`: setup adjusts the defaults, row(y) gives the samples of row y.
QByteArray Compress(int width, int height, int components, J_COLOR_SPACE in, int quality,
                    const std::function<void(jpeg_compress_struct&)>& setup,
                    const std::function<unsigned char*(int)>& row) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = in;
    jpeg_set_defaults(&cinfo);
    setup(cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = row(static_cast<int>(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

} // namespace

QByteArray EncodeJpeg(const QImage& picture, int quality) {
    QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    return Compress(
        rgb.width(), rgb.height(), 3, JCS_RGB, quality, [](jpeg_compress_struct&) {},
        [&rgb](int y) { return rgb.scanLine(y); });
}

QByteArray EncodeCmykJpeg(const TCmykJpeg& picture) {
    const unsigned char flip = picture.adobeMarker ? 0xFF : 0x00;
    std::vector<unsigned char> samples(static_cast<std::size_t>(picture.width) * 4);
    return Compress(
        picture.width, picture.height, 4, JCS_CMYK, picture.quality,
        [&picture](jpeg_compress_struct& cinfo) {
            jpeg_set_colorspace(&cinfo, picture.ycck ? JCS_YCCK : JCS_CMYK);
            cinfo.write_Adobe_marker = picture.adobeMarker ? TRUE : FALSE;
        },
        [&](int y) {
            FillRow(samples, y < picture.height / 2 ? picture.top : picture.bottom, flip);
            return samples.data();
        });
}

QByteArray EncodeCmykJpeg(int width, int height, const TInks& inks) {
    return EncodeCmykJpeg(TCmykJpeg{.width = width, .height = height, .top = inks, .bottom = inks});
}
