#pragma once

#include "PictureResult.h"

#include <QByteArrayView>

// Reads a Windows bitmap held in memory, any header (the OS/2 core header
// too) and any depth of 1, 4, 8, 16, 24 or 32 bits, uncompressed or run-length
// coded. Bit-field channels narrower than 8 bits are expanded by repeating
// their bits, so full intensity is 255; wider ones keep their top 8 bits. A
// bitmap with an alpha mask keeps its transparency (Format_ARGB32); the
// fourth byte of a plain 32-bit bitmap is not alpha. A file shorter than its
// header or its run-length codes promise is Damaged; other depths and
// bitmaps holding a JPEG or PNG are Unsupported; a picture of more than
// maxBytes of 32-bit pixels is TooLarge.
TPictureResult ReadBmp(QByteArrayView bytes, std::int64_t maxBytes = MAX_PICTURE_BYTES);
