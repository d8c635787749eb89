#pragma once

// JPEG files written by libjpeg's own compressor, for the tests of the picture
// readers: three-channel ones of a picture's colours, and four-channel ones as
// printing tools write them.

#include <QByteArray>
#include <QImage>

#include <array>

// The picture's colours at the given quality.
QByteArray EncodeJpeg(const QImage& picture, int quality = 95);

// The inks of a pixel: cyan, magenta, yellow, black; 0 none, 255 full.
using TInks = std::array<unsigned char, 4>;

struct TCmykJpeg {
    int width = 0;
    int height = 0;
    TInks top{};    // the inks of the upper height / 2 rows
    TInks bottom{}; // the inks of the other rows
    // Stored as YCCK instead of CMYK.
    bool ycck = false;
    // With the Adobe marker (libjpeg writes one unless told not to) the inks
    // are stored inverted, as the tools that write such files do.
    bool adobeMarker = true;
    int quality = 75; // libjpeg's default
};

// The file's bytes.
QByteArray EncodeCmykJpeg(const TCmykJpeg& picture);

// A picture all of one ink, stored as CMYK with the Adobe marker at the
// default quality.
QByteArray EncodeCmykJpeg(int width, int height, const TInks& inks);
