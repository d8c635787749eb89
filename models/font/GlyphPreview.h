#pragma once

#include <QImage>

// The glyph image enlarged zoom times, each glyph cell framed by a line of
// the background's darker grey so that neighbouring shapes stay apart.
QImage GlyphSetPreview(const QImage& chars, int zoom);
