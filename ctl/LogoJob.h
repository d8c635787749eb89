#pragma once

#include "LogoImage.h"
#include "LogoTable.h"

#include <QImage>
#include <QPoint>

#include <optional>

// How a picture is placed and reduced, as the Logo page's controls set it.
// Unset place and size follow the page: the picture shrunk to fit the screen
// with its proportions kept, then centred.
struct TLogoPlacement {
    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> width;
    std::optional<int> height;
    int mode = 0;   // 0 black and white, 1 mosaic, 2 mixing
    int level = 50; // black and white level, 1..99
    bool negative = false;
    std::optional<QRgb> background; // the colour taken as background
    int tolerance = 100;            // 1..100
};

// The logo view drawn from picture as the page draws it for "Generuj" (no grid).
// origin, when given, receives where the picture's top left corner was placed.
QImage RenderPlacedLogo(const QImage& picture, const TLogoPlacement& placement, QPoint* origin = nullptr);
