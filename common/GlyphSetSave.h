#pragma once

#include <QImage>
#include <QString>

#include <cstddef>

// Writes the whole file or leaves whatever was there before untouched.
bool WriteWholeFile(const QString& fileName, const char* bytes, std::size_t size);

// Writes a 192 x 288 glyph image as a glyph-set file told by the name's
// extension: ".bmp" in any letter case a 32-bit bitmap, anything else the
// 13,824-byte binary set. False on any failure, the file then untouched.
bool SaveGlyphSetFile(const QImage& chars, const QString& fileName);
