#include "CmykJpeg.h"

// jpeglib.h needs the standard types and FILE declared before it.
#include <jpeglib.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// One row of pixels of the given inks, inverted when flip is 0xFF.
void FillRow(std::vector<unsigned char>& row, const TInks& inks, unsigned char flip) {
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<unsigned char>(inks[i % 4] ^ flip);
}

} // namespace

QByteArray EncodeCmykJpeg(const TCmykJpeg& picture) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, picture.ycck ? JCS_YCCK : JCS_CMYK);
    cinfo.write_Adobe_marker = picture.adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, picture.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const unsigned char flip = picture.adobeMarker ? 0xFF : 0x00;
    std::vector<unsigned char> row(static_cast<std::size_t>(picture.width) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const bool top = cinfo.next_scanline < static_cast<JDIMENSION>(picture.height / 2);
        FillRow(row, top ? picture.top : picture.bottom, flip);
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

QByteArray EncodeCmykJpeg(int width, int height, const TInks& inks) {
    return EncodeCmykJpeg(TCmykJpeg{.width = width, .height = height, .top = inks, .bottom = inks});
}
