#include "PictureFile.h"

#include "BmpReader.h"
#include "JpegReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>
#include <cstdint>

namespace {

bool FitsLimit(long long width, long long height) {
    return PictureFits(width, height, MAX_PICTURE_BYTES);
}

// A file larger than this cannot hold a picture within the limit in any of
// the imported formats; it is refused before it is read.
constexpr qint64 MAX_PICTURE_FILE_BYTES = MAX_PICTURE_BYTES + 1024 * 1024;

const char* QtFormatName(TPictureFormat format) {
    switch (format) {
    case TPictureFormat::Png:
        return "png";
    case TPictureFormat::Gif:
        return "gif";
    case TPictureFormat::Tiff:
        return "tiff";
    default:
        return nullptr;
    }
}

// One channel of a pixel of opacity alpha laid over background grey.
inline std::uint32_t OverGreyChannel(std::uint32_t channel, std::uint32_t alpha) {
    return (channel * alpha + 0x80 * (255 - alpha) + 127) / 255;
}

// Lays a picture with transparency over background grey: transparent pixels
// become grey, as removed background does, opaque ones keep their colour.
QImage OverGrey(const QImage& picture) {
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage flat(source.size(), QImage::Format_RGB32);
    if (source.isNull() || flat.isNull())
        return {};
    for (int y = 0; y < flat.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb p = src[x];
            const auto a = static_cast<std::uint32_t>(qAlpha(p));
            dst[x] = 0xFF000000u | OverGreyChannel(qRed(p), a) << 16 | OverGreyChannel(qGreen(p), a) << 8 |
                     OverGreyChannel(qBlue(p), a);
        }
    }
    return flat;
}

// PNG, GIF (its first frame) and TIFF through the image plugins.
TPictureResult ReadWithPlugin(QByteArrayView bytes, const char* format, std::int64_t maxBytes) {
    if (!QImageReader::supportedImageFormats().contains(format))
        return TPictureResult::Failed(TPictureFault::UnknownFormat);
    if (bytes.isEmpty())
        return TPictureResult::Failed(TPictureFault::Damaged);
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!buffer.open(QIODevice::ReadOnly))
        return TPictureResult::Failed(TPictureFault::CannotOpen);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(std::max<std::int64_t>(1, maxBytes / (1024 * 1024))));
    if (!reader.canRead())
        return TPictureResult::Failed(TPictureFault::UnknownFormat);
    const QSize size = reader.size();
    if (size.isValid() && !PictureFits(size.width(), size.height(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(decoded.width(), decoded.height(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage flat = decoded.hasAlphaChannel() ? OverGrey(decoded) : decoded.convertToFormat(QImage::Format_RGB32);
    if (flat.isNull())
        return TPictureResult::Failed(TPictureFault::TooLarge);
    return {std::move(flat), TPictureFault::None};
}

// The whole of a regular file, or the reason it cannot be had.
TPictureFault ReadWholeFile(const QString& fileName, QByteArray& bytes) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return TPictureFault::CannotOpen;
    if (file.size() > MAX_PICTURE_FILE_BYTES)
        return TPictureFault::TooLarge;
    bytes = file.readAll();
    if (bytes.size() != file.size())
        return TPictureFault::CannotOpen;
    return TPictureFault::None;
}

} // namespace

TPictureFormat PictureFormatOf(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return TPictureFormat::Jpeg;
    if (ext == QLatin1String("bmp"))
        return TPictureFormat::Bmp;
    if (ext == QLatin1String("png"))
        return TPictureFormat::Png;
    if (ext == QLatin1String("gif"))
        return TPictureFormat::Gif;
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff"))
        return TPictureFormat::Tiff;
    return TPictureFormat::Unknown;
}

TPictureResult ReadPicture(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes) {
    switch (format) {
    case TPictureFormat::Jpeg:
        return ReadJpeg(bytes, maxBytes);
    case TPictureFormat::Bmp:
        return ReadBmp(bytes, maxBytes);
    case TPictureFormat::Png:
    case TPictureFormat::Gif:
    case TPictureFormat::Tiff:
        return ReadWithPlugin(bytes, QtFormatName(format), maxBytes);
    case TPictureFormat::Unknown:
        break;
    }
    return TPictureResult::Failed(TPictureFault::UnknownFormat);
}

namespace {

TPictureResult LoadAs(const QString& fileName, TPictureFormat format) {
    if (format == TPictureFormat::Unknown)
        return TPictureResult::Failed(TPictureFault::UnknownFormat);
    QByteArray bytes;
    const TPictureFault read = ReadWholeFile(fileName, bytes);
    if (read != TPictureFault::None)
        return TPictureResult::Failed(read);
    return ReadPicture(bytes, format);
}

bool Assign(QImage& image, TPictureResult&& result) {
    if (!result.Ok())
        return false;
    image = std::move(result.image);
    return true;
}

} // namespace

TPictureResult LoadPicture(const QString& fileName) {
    return LoadAs(fileName, PictureFormatOf(fileName));
}

bool LoadPictureFile(QImage& image, const QString& fileName) {
    return Assign(image, LoadPicture(fileName));
}

bool LoadBmpFile(QImage& image, const QString& fileName) {
    return Assign(image, LoadAs(fileName, TPictureFormat::Bmp));
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
