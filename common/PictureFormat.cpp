#include "PictureFormat.h"

#include <QFileInfo>

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
    if (ext == QLatin1String("webp"))
        return TPictureFormat::Webp;
    return TPictureFormat::Unknown;
}

namespace {

bool StartsWith(QByteArrayView bytes, QByteArrayView head, qsizetype at = 0) {
    return bytes.size() >= at + head.size() && bytes.sliced(at, head.size()) == head;
}

} // namespace

TPictureFormat SniffPictureFormat(QByteArrayView bytes) {
    if (StartsWith(bytes, "\xFF\xD8\xFF"))
        return TPictureFormat::Jpeg;
    if (StartsWith(bytes, "BM"))
        return TPictureFormat::Bmp;
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n"))
        return TPictureFormat::Png;
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a"))
        return TPictureFormat::Gif;
    if (StartsWith(bytes, QByteArrayView("II*\0", 4)) || StartsWith(bytes, QByteArrayView("MM\0*", 4)))
        return TPictureFormat::Tiff;
    if (StartsWith(bytes, "RIFF") && StartsWith(bytes, "WEBP", 8))
        return TPictureFormat::Webp;
    return TPictureFormat::Unknown;
}
