#pragma once

#include "PictureResult.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// The picture formats that are imported, told by a file name's extension.
enum class TPictureFormat { Unknown, Jpeg, Bmp, Png, Gif, Tiff };

// The format of fileName by its extension, in any letter case: .jpg and .jpeg
// are JPEG, .bmp a Windows bitmap, .png PNG, .gif GIF, .tif and .tiff TIFF
// (when the image plugins can read it); anything else is Unknown.
TPictureFormat PictureFormatOf(const QString& fileName);

// Reads a picture held in memory in the given format into a Format_RGB32
// picture. Pixels of a picture with transparency (PNG, GIF, TIFF) are laid
// over background grey, so transparent pixels become 0x808080. Pictures of
// more than maxBytes of 32-bit pixels are refused before their pixels are
// allocated.
TPictureResult ReadPicture(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes = MAX_PICTURE_BYTES);

// Reads the file fileName with ReadPicture in the format its extension names.
TPictureResult LoadPicture(const QString& fileName);

// LoadPicture into image; false on any failure, leaving image unchanged.
bool LoadPictureFile(QImage& image, const QString& fileName);
// The bitmap reader alone (no extension check), the same way.
bool LoadBmpFile(QImage& image, const QString& fileName);

// Writes image as a Windows bitmap of 32 bits per pixel (BI_RGB, rows bottom
// up, the fourth byte 0), replacing fileName atomically. False on failure.
bool SaveBmp32File(const QImage& image, const QString& fileName);
