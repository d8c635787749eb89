#include "PictureFile.h"

#include "BmpReader.h"
#include "JpegReader.h"
#include "PngReader.h"
#include "QuietImageIo.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdint>

namespace {

// A file larger than this cannot hold a picture within the limit in any of
// the imported formats; it is refused before it is read.
constexpr qint64 MAX_PICTURE_FILE_BYTES = MAX_PICTURE_BYTES + 1024 * 1024;

constexpr QRgb CLEAR = 0x00808080u; // every fully transparent pixel

const char* QtFormatName(TPictureFormat format) {
    switch (format) {
    case TPictureFormat::Gif:
        return "gif";
    case TPictureFormat::Tiff:
        return "tiff";
    case TPictureFormat::Webp:
        return "webp";
    default:
        return nullptr;
    }
}

// A decoded picture in one of the two forms readers give: opaque ones as
// RGB32, the others as ARGB32 with their fully transparent pixels all alike.
QImage Settled(QImage picture) {
    if (!picture.hasAlphaChannel())
        return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    if (picture.format() != QImage::Format_ARGB32)
        picture.convertTo(QImage::Format_ARGB32);
    if (picture.isNull())
        return picture;
    bool translucent = false;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb alpha = row[x] >> 24;
            translucent = translucent || alpha != 0xFF;
            if (alpha == 0)
                row[x] = CLEAR;
        }
    }
    if (!translucent)
        picture.reinterpretAsFormat(QImage::Format_RGB32);
    return picture;
}

// GIF (its first frame), TIFF and WebP through the image plugins, turned
// upright as the file says.
TPictureResult ReadWithPlugin(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes) {
    const char* name = QtFormatName(format);
    if (!QImageReader::supportedImageFormats().contains(name))
        return TPictureResult::Unsupported(TPictureVariant::NoReader);
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!buffer.open(QIODevice::ReadOnly))
        return TPictureResult::Failed(TPictureFault::CannotOpen);
    QImageReader reader(&buffer, name);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(static_cast<int>(std::max<std::int64_t>(1, maxBytes / (1024 * 1024))));
    if (!reader.canRead())
        return TPictureResult::Failed(TPictureFault::Damaged);
    const QSize size = reader.size();
    if (size.isValid() && !PictureFits(size.width(), size.height(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return TPictureResult::Failed(TPictureFault::Damaged);
    if (!PictureFits(decoded.width(), decoded.height(), maxBytes))
        return TPictureResult::Failed(TPictureFault::TooLarge);
    return {std::move(decoded), TPictureFault::None};
}

TPictureResult ReadAs(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes) {
    switch (format) {
    case TPictureFormat::Jpeg:
        return ReadJpeg(bytes, maxBytes);
    case TPictureFormat::Bmp:
        return ReadBmp(bytes, maxBytes);
    case TPictureFormat::Png:
        return ReadPng(bytes, maxBytes);
    case TPictureFormat::Gif:
    case TPictureFormat::Tiff:
    case TPictureFormat::Webp:
        if (bytes.isEmpty())
            return TPictureResult::Failed(TPictureFault::Damaged);
        if (SniffPictureFormat(bytes) != format)
            return TPictureResult::Failed(TPictureFault::UnknownFormat);
        return ReadWithPlugin(bytes, format, maxBytes);
    case TPictureFormat::Unknown:
        break;
    }
    return TPictureResult::Failed(TPictureFault::UnknownFormat);
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

TPictureResult ReadPicture(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes) {
    const TQuietImageIo quiet; // the result says why; the readers themselves say nothing
    const TPictureFormat content = SniffPictureFormat(bytes);
    TPictureResult result;
    if (format != TPictureFormat::Unknown && content != TPictureFormat::Unknown && content != format) {
        result = TPictureResult::Failed(TPictureFault::NamedWrongly);
        result.content = content;
    } else {
        result = ReadAs(bytes, format, maxBytes);
    }
    result.named = format;
    if (!result.Ok())
        return result;
    result.image = Settled(std::move(result.image));
    if (result.image.isNull())
        result.fault = TPictureFault::TooLarge;
    return result;
}

namespace {

TPictureResult LoadAs(const QString& fileName, TPictureFormat format) {
    if (format == TPictureFormat::Unknown)
        return TPictureResult::Failed(TPictureFault::UnknownFormat);
    QByteArray bytes;
    const TPictureFault read = ReadWholeFile(fileName, bytes);
    if (read != TPictureFault::None) {
        TPictureResult failed = TPictureResult::Failed(read);
        failed.named = format;
        return failed;
    }
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
    TPictureResult result = LoadAs(fileName, TPictureFormat::Bmp);
    if (result.Ok() && result.image.hasAlphaChannel())
        result.image.convertTo(QImage::Format_RGB32); // alpha dropped: clear pixels grey
    return Assign(image, std::move(result));
}
