#pragma once

#include "PictureResult.h"

#include <QByteArrayView>

// Decodes a JPEG held in memory into a Format_RGB32 picture: grey, colour
// (YCbCr or RGB) and four-channel CMYK or YCCK files. Pictures of more than
// maxBytes of 32-bit pixels are refused before the pixels are allocated.
TPictureResult ReadJpeg(QByteArrayView bytes, std::int64_t maxBytes = MAX_PICTURE_BYTES);
