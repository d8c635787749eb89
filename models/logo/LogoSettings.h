#pragma once

#include <QRgb>

// How the working picture is reduced to black and white.
enum class TLogoMode {
    None,       // no mode chosen (only restored settings leave it so): black below sum 382
    BlackWhite, // a threshold from the brightness level
    Mosaic,     // an ordered pattern whose share of white follows the brightness
    Mixing,     // random black and white whose share follows the brightness
};

// Ranges of the page's settings.
constexpr int LOGO_POS_MIN = -1000;
constexpr int LOGO_POS_MAX = 1000;
constexpr int LOGO_SIZE_MIN = 1;
constexpr int LOGO_SIZE_MAX = 1000;
constexpr int LOGO_LEVEL_MIN = 1;
constexpr int LOGO_LEVEL_MAX = 99;
constexpr int LOGO_TOLERANCE_MIN = 1;
constexpr int LOGO_TOLERANCE_MAX = 100;
constexpr QRgb LOGO_DEFAULT_BACKGROUND = 0x00FF00; // lime

// Everything that decides where the working picture lies and how it is
// reduced, with the values of a fresh page.
struct TLogoSettings {
    int posX = 0;
    int posY = 0;
    int width = 1;
    int height = 1;
    bool proportional = true;
    bool grid = false;
    TLogoMode mode = TLogoMode::BlackWhite;
    int level = 50;
    bool negative = false;
    bool transparent = true;                   // background removal on
    QRgb background = LOGO_DEFAULT_BACKGROUND; // 0xRRGGBB
    int tolerance = 100;

    bool operator==(const TLogoSettings&) const = default;
};

// A position held to -1000..1000, a size to 1..1000, and so on.
int ClampLogoPos(long long value);
int ClampLogoSize(long long value);
int ClampLogoLevel(long long value);
int ClampLogoTolerance(long long value);

// The threshold t of the black-and-white mode for a brightness level: black
// when R + G + B < 3 t.
int LogoThreshold(int level);
