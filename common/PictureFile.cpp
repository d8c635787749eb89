#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
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

QString Extension(const QString& fileName) {
    return QFileInfo(fileName).suffix().toLower();
}

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

namespace {

std::uint32_t Le32(const QByteArray& b, int pos) {
    return static_cast<std::uint32_t>(static_cast<uchar>(b[pos])) |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<uchar>(b[pos + 3])) << 24;
}

// The reader fills missing rows of a short uncompressed bitmap instead of
// failing; a file shorter than its header promises is refused here.
bool BmpLongEnough(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(34);
    if (header.size() < 34 || header[0] != 'B' || header[1] != 'M')
        return false;
    const std::uint32_t infoSize = Le32(header, 14);
    if (infoSize < 40)
        return true; // the old core header: left to the reader
    const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(Le32(header, 18)));
    const auto height = static_cast<std::int64_t>(static_cast<std::int32_t>(Le32(header, 22)));
    const int bits = static_cast<uchar>(header[28]) | static_cast<uchar>(header[29]) << 8;
    const std::uint32_t compression = Le32(header, 30);
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // run-length coded: its length cannot be told from the header
    if (width <= 0 || width * (height < 0 ? -height : height) > MAX_PICTURE_BYTES / 4)
        return true; // refused by the size check, before anything is multiplied further
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    const std::int64_t need = static_cast<std::int64_t>(Le32(header, 10)) + stride * (height < 0 ? -height : height);
    return file.size() >= need;
}

} // namespace

bool LoadBmpFile(QImage& image, const QString& fileName) {
    if (!BmpLongEnough(fileName))
        return false;
    QImageReader reader(fileName, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(MAX_PICTURE_BYTES / (1024 * 1024)));
    const QSize size(reader.size().width(), std::abs(reader.size().height())); // top-down rows: negative height
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

namespace {

void PutLe16(QByteArray& bytes, int pos, std::uint32_t v) {
    bytes[pos] = static_cast<char>(v & 0xFF);
    bytes[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutLe32(QByteArray& bytes, int pos, std::uint32_t v) {
    PutLe16(bytes, pos, v & 0xFFFF);
    PutLe16(bytes, pos + 2, v >> 16);
}

constexpr int BMP_HEADERS = 14 + 40;

QByteArray Bmp32Headers(int width, int height) {
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4;
    QByteArray h(BMP_HEADERS, '\0');
    h[0] = 'B';
    h[1] = 'M';
    PutLe32(h, 2, BMP_HEADERS + pixelBytes); // file size
    PutLe32(h, 10, BMP_HEADERS);             // offset of the pixels
    PutLe32(h, 14, 40);                      // BITMAPINFOHEADER
    PutLe32(h, 18, static_cast<std::uint32_t>(width));
    PutLe32(h, 22, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    PutLe16(h, 26, 1);                                  // planes
    PutLe16(h, 28, 32);                                 // bits per pixel
    PutLe32(h, 30, 0);                                  // BI_RGB
    PutLe32(h, 34, pixelBytes);
    PutLe32(h, 38, 2835); // 72 dpi
    PutLe32(h, 42, 2835);
    return h;
}

} // namespace

bool SaveBmp32File(const QImage& image, const QString& fileName) {
    if (image.isNull() || !FitsLimit(image.width(), image.height()))
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(Bmp32Headers(rgb.width(), rgb.height())) != BMP_HEADERS)
        return false;
    QByteArray row(static_cast<qsizetype>(rgb.width()) * 4, '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = src[x];
            row[x * 4] = static_cast<char>(qBlue(p));
            row[x * 4 + 1] = static_cast<char>(qGreen(p));
            row[x * 4 + 2] = static_cast<char>(qRed(p));
            row[x * 4 + 3] = 0;
        }
        if (file.write(row) != row.size())
            return false;
    }
    return file.commit();
}
