#pragma once

#include <QByteArrayView>
#include <QImage>

// The orientation tag (0x0112) of an Exif block, the contents of a JPEG APP1
// segment beginning "Exif\0\0": 1 to 8, or 1 (as stored) when the block has
// none or is broken.
int ExifOrientation(QByteArrayView app1);

// The picture turned upright from how a camera stored it with that
// orientation: 2 mirrored, 3 turned half round, 4 flipped, 5 mirrored along
// the main diagonal, 6 turned a quarter clockwise, 7 mirrored along the other
// diagonal, 8 turned a quarter anticlockwise. Other values leave it as it is.
QImage ApplyOrientation(QImage picture, int orientation);
