#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace {

bool FitsLimit(long long width, long long height) {
    return width > 0 && height > 0 && width * height * 4 <= MAX_PICTURE_BYTES;
}

// ---- JPEG ------------------------------------------------------------------
//
// libjpeg reports errors through error_exit, which by default ends the
// program. Ours jumps back to the phase that was running. Each phase is a
// function of its own holding nothing with a destructor, so the jump skips no
// C++ cleanup; the objects that own memory live in LoadJpegFile.

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

bool ReadJpegHeader(jpeg_decompress_struct* cinfo, TJpegError* error) {
    if (setjmp(error->jump))
        return false;
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    cinfo->out_color_space = JCS_EXT_BGRX; // Format_RGB32 memory order on little-endian
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_calc_output_dimensions(cinfo);
    return true;
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

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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

QString Extension(const QString& fileName) { return QFileInfo(fileName).suffix().toLower(); }

} // namespace

bool LoadJpegFile(QImage& image, const QString& fileName) {
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(QFile::encodeName(fileName).constData(), "rb"));
    if (!file)
        return false;
    TJpegDecompress jpeg;
    jpeg_stdio_src(&jpeg.cinfo, file.get());
    if (!ReadJpegHeader(&jpeg.cinfo, &jpeg.error))
        return false;
    if (!FitsLimit(jpeg.cinfo.output_width, jpeg.cinfo.output_height) || jpeg.cinfo.output_components != 4)
        return false;
    QImage decoded(static_cast<int>(jpeg.cinfo.output_width), static_cast<int>(jpeg.cinfo.output_height),
                   QImage::Format_RGB32);
    if (decoded.isNull())
        return false;
    if (!DecodeJpegRows(&jpeg.cinfo, &jpeg.error, decoded.bits(), decoded.bytesPerLine()))
        return false;
    image = std::move(decoded);
    return true;
}

bool LoadBmpFile(QImage& image, const QString& fileName) {
    QImageReader reader(fileName, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(MAX_PICTURE_BYTES / (1024 * 1024)));
    const QSize size = reader.size();
    if (!size.isValid() || !FitsLimit(size.width(), size.height()))
        return false;
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return false;
    decoded.convertTo(QImage::Format_RGB32);
    if (decoded.isNull())
        return false;
    image = std::move(decoded);
    return true;
}

bool LoadPictureFile(QImage& image, const QString& fileName) {
    const QString ext = Extension(fileName);
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return LoadJpegFile(image, fileName);
    if (ext == QLatin1String("bmp"))
        return LoadBmpFile(image, fileName);
    return false;
}
