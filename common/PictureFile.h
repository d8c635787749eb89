#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

// Pictures larger than this many bytes of 32-bit pixels are refused before
// anything is allocated.
constexpr std::int64_t MAX_PICTURE_BYTES = 256LL * 1024 * 1024;

// Loads a picture file into image as Format_RGB32. The extension decides the
// format, in any letter case: .jpg and .jpeg are decoded as JPEG, .bmp as a
// Windows bitmap of any bit depth; any other extension, an unreadable,
// truncated or corrupt file, or one that is too large gives false and leaves
// image unchanged.
bool LoadPictureFile(QImage& image, const QString& fileName);

// The JPEG decoder alone (no extension check).
bool LoadJpegFile(QImage& image, const QString& fileName);
// The bitmap reader alone (no extension check).
bool LoadBmpFile(QImage& image, const QString& fileName);

// Writes image as a Windows bitmap of 32 bits per pixel (BI_RGB, rows bottom
// up, the fourth byte 0), replacing fileName atomically. False on failure.
bool SaveBmp32File(const QImage& image, const QString& fileName);
