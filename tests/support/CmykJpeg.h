#pragma once

// Four-channel JPEG files as printing tools write them, for the tests of the
// picture import.

#include <QByteArray>

#include <array>

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

// The file's bytes, written by libjpeg's compressor.
QByteArray EncodeCmykJpeg(const TCmykJpeg& picture);

// A picture all of one ink, stored as CMYK with the Adobe marker at the
// default quality.
QByteArray EncodeCmykJpeg(int width, int height, const TInks& inks);
