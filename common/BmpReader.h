#pragma once

#include "PictureResult.h"

#include <QByteArrayView>

// Reads a Windows bitmap held in memory into a Format_RGB32 picture, any bit
// depth. 16-bit pixels (5-5-5, 5-6-5 or other bit fields) are expanded by
// repeating their bits, so full intensity is 255. A file shorter than its
// header promises is refused, as is a picture of more than maxBytes of
// 32-bit pixels.
TPictureResult ReadBmp(QByteArrayView bytes, std::int64_t maxBytes = MAX_PICTURE_BYTES);
