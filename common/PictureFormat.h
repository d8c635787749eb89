#pragma once

#include <QByteArrayView>
#include <QString>

// The picture formats that are imported.
enum class TPictureFormat { Unknown, Jpeg, Bmp, Png, Gif, Tiff, Webp };

// The format of fileName by its extension, in any letter case: .jpg and .jpeg
// are JPEG, .bmp a Windows bitmap, .png PNG, .gif GIF, .tif and .tiff TIFF,
// .webp WebP; anything else is Unknown.
TPictureFormat PictureFormatOf(const QString& fileName);

// The format the bytes are in, told by their first bytes; Unknown when they
// begin like none of the imported formats.
TPictureFormat SniffPictureFormat(QByteArrayView bytes);
