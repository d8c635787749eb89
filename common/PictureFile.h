#pragma once

#include "PictureFormat.h"
#include "PictureResult.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Reads a picture held in memory in the given format (the format its file's
// name says), as TPictureResult describes: Format_RGB32 when opaque,
// Format_ARGB32 when some pixel is transparent or translucent (PNG, GIF,
// TIFF, WebP, a bitmap with an alpha mask). Content of another imported
// format than the given one is NamedWrongly. Pictures of more than maxBytes
// of 32-bit pixels are refused before their pixels are allocated. Nothing is
// printed while it reads.
TPictureResult ReadPicture(QByteArrayView bytes, TPictureFormat format, std::int64_t maxBytes = MAX_PICTURE_BYTES);

// Reads the file fileName with ReadPicture in the format its extension names.
TPictureResult LoadPicture(const QString& fileName);

// LoadPicture into image; false on any failure, leaving image unchanged.
bool LoadPictureFile(QImage& image, const QString& fileName);
// The bitmap reader alone (no extension check), the same way, always into a
// Format_RGB32 picture (a glyph-set bitmap has no transparency): alpha is
// dropped, fully transparent pixels are grey.
bool LoadBmpFile(QImage& image, const QString& fileName);

// Writes image as a Windows bitmap of 32 bits per pixel, rows bottom up,
// replacing fileName atomically. An opaque picture is written with the
// 40-byte header as BI_RGB, the fourth byte 0; one with transparency with
// the 124-byte header as BI_BITFIELDS with an alpha mask (the fourth byte
// its alpha, not premultiplied), which other programs read with its
// transparency too. False on failure.
bool SaveBmp32File(const QImage& image, const QString& fileName);
