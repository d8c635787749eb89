// SaveBmp32File: the working picture and glyph-set pictures as 32-bit bitmaps.
#include "PictureFile.h"

#include <QSaveFile>

#include <cstdint>

namespace {

void PutLe16(QByteArray& bytes, int pos, std::uint32_t v) {
    bytes[pos] = static_cast<char>(v & 0xFF);
    bytes[pos + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutLe32(QByteArray& bytes, int pos, std::uint32_t v) {
    PutLe16(bytes, pos, v & 0xFFFF);
    PutLe16(bytes, pos + 2, v >> 16);
}

constexpr int FILE_HEADER = 14;
constexpr int INFO_HEADER = 40; // BITMAPINFOHEADER: opaque pictures
constexpr int V5_HEADER = 124;  // BITMAPV5HEADER: pictures with alpha
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t LCS_SRGB = 0x73524742; // 'sRGB'
constexpr std::uint32_t LCS_GM_IMAGES = 4;

QByteArray Bmp32Headers(int width, int height, bool alpha) {
    const int headers = FILE_HEADER + (alpha ? V5_HEADER : INFO_HEADER);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4;
    QByteArray h(headers, '\0');
    h[0] = 'B';
    h[1] = 'M';
    PutLe32(h, 2, headers + pixelBytes); // file size
    PutLe32(h, 10, headers);             // offset of the pixels
    PutLe32(h, 14, headers - FILE_HEADER);
    PutLe32(h, 18, static_cast<std::uint32_t>(width));
    PutLe32(h, 22, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    PutLe16(h, 26, 1);                                  // planes
    PutLe16(h, 28, 32);                                 // bits per pixel
    PutLe32(h, 30, alpha ? BI_BITFIELDS : BI_RGB);
    PutLe32(h, 34, pixelBytes);
    PutLe32(h, 38, 2835); // 72 dpi
    PutLe32(h, 42, 2835);
    if (!alpha)
        return h;
    PutLe32(h, 54, 0x00FF0000); // red, green, blue and alpha masks
    PutLe32(h, 58, 0x0000FF00);
    PutLe32(h, 62, 0x000000FF);
    PutLe32(h, 66, 0xFF000000);
    PutLe32(h, 70, LCS_SRGB);
    PutLe32(h, 122, LCS_GM_IMAGES);
    return h;
}

// True when some pixel is not fully opaque.
bool HasTransparency(const QImage& argb) {
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 0xFF)
                return true;
    }
    return false;
}

} // namespace

bool SaveBmp32File(const QImage& image, const QString& fileName) {
    if (image.isNull() || !PictureFits(image.width(), image.height(), MAX_PICTURE_BYTES))
        return false;
    const QImage pixels = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const bool alpha = pixels.hasAlphaChannel() && HasTransparency(pixels);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray headers = Bmp32Headers(pixels.width(), pixels.height(), alpha);
    if (file.write(headers) != headers.size())
        return false;
    QByteArray row(static_cast<qsizetype>(pixels.width()) * 4, '\0');
    for (int y = pixels.height() - 1; y >= 0; --y) {
        const auto* src = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = src[x];
            row[x * 4] = static_cast<char>(qBlue(p));
            row[x * 4 + 1] = static_cast<char>(qGreen(p));
            row[x * 4 + 2] = static_cast<char>(qRed(p));
            row[x * 4 + 3] = static_cast<char>(alpha ? qAlpha(p) : 0);
        }
        if (file.write(row) != row.size())
            return false;
    }
    return file.commit();
}
