#pragma once

#include "PictureResult.h"

#include <QByteArrayView>

// Decodes a JPEG held in memory into a Format_RGB32 picture: grey, colour
// (YCbCr or RGB) and four-channel CMYK or YCCK files, turned upright as their
// Exif orientation says. Pictures of more than maxBytes of 32-bit pixels are
// refused before the pixels are allocated; 12-bit and lossless files are
// Unsupported.
TPictureResult ReadJpeg(QByteArrayView bytes, std::int64_t maxBytes = MAX_PICTURE_BYTES);
