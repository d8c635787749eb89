#pragma once

#include "PictureResult.h"

#include <QByteArrayView>

// Decodes a PNG held in memory: every colour type and depth, interlaced or
// not, with its transparency (an alpha channel or a transparent colour or
// palette entries, which a 16-bit file compares at full 16 bits). 16-bit
// samples are scaled to 8 bits; the file's gamma is not applied. Nothing is
// printed; a file cut short or with a broken chunk is Damaged.
TPictureResult ReadPng(QByteArrayView bytes, std::int64_t maxBytes = MAX_PICTURE_BYTES);
