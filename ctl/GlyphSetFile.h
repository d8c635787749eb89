#pragma once

#include <QImage>
#include <QString>

#include <optional>
#include <string>

// A glyph set read from a file: the 192 x 288 glyph image, or the reason it
// could not be read.
struct TGlyphSetFile {
    std::optional<QImage> chars;
    std::string error;
};

// Reads a binary set of 256 glyph records (13,824 bytes) or, for a name
// ending in ".bmp" in any letter case, a 192 x 288 bitmap. The whole file is
// read and checked.
TGlyphSetFile ReadGlyphSetFile(const QString& fileName);
