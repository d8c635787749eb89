#pragma once

#include "GlyphSetSave.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <string>

// The glyph-set files of the service page, read and written whole.

enum class TExactReadResult { Ok, WrongSize, Failed };

// Reads a file of exactly size bytes. The size is checked before anything is
// read, so a huge file is refused without loading it; folders, devices and
// files that cannot be opened fail.
TExactReadResult ReadExactFile(const QString& fileName, std::size_t size, std::string& bytes);

// WriteWholeFile lives with the glyph-set writers in common.

enum class TBitmapResult { Ok, WrongSize, Failed };

// Reads a BMP file of exactly 192 x 288 pixels. The size in the header is
// checked before the pixels are decoded.
TBitmapResult ReadCharsBitmapFile(const QString& fileName, QImage& picture);
