#pragma once

#include <QImage>

#include <optional>

// Reduction modes of ReduceLogoPixels besides a threshold t >= 1.
constexpr int LOGO_MODE_NONE = 0;
constexpr int LOGO_MODE_MOSAIC = -1;
constexpr int LOGO_MODE_MIXING = -2;

// A pixel whose alpha is below this is transparent: no logo there. It stays
// background grey through every reduction, whatever its colour.
constexpr int LOGO_OPAQUE_ALPHA = 128;

// The 32-bit form the pixel work uses for picture: Format_ARGB32 (straight
// alpha) when it has an alpha channel, else Format_RGB32.
QImage::Format LogoPixelFormat(const QImage& picture);

// Rewrites every pixel of image in place to black, white or background grey.
// mode: a threshold t >= 1 (black when R+G+B < 3t), LOGO_MODE_MOSAIC,
// LOGO_MODE_MIXING or LOGO_MODE_NONE (black when R+G+B < 382).
// backgroundColour: pixels within allowance (0..99, percent of the largest
// channel distance) of it become grey. negative swaps black and white.
// Transparent pixels (alpha below LOGO_OPAQUE_ALPHA) become grey. The image is
// converted to LogoPixelFormat first. Mixing is seeded from the clock.
void ReduceLogoPixels(QImage& image, int mode, std::optional<QRgb> backgroundColour, bool negative, int allowance);

// The same for a part of a larger picture whose top left pixel lies at
// (originX, originY) of that picture: the mosaic pattern follows the whole
// picture. seed drives the mixing generator.
void ReduceLogoPixelsAt(QImage& image, int originX, int originY, int mode, std::optional<QRgb> backgroundColour,
                        bool negative, int allowance, unsigned long long seed);

// Margin measures of the logo view: a row or column is blank when none of its
// pixels is pure black or pure white.
bool IsBlankRow(const QImage& image, int y);
bool IsBlankColumn(const QImage& image, int x);
// Consecutive blank rows (columns) from an edge; 0 when the whole image is blank.
int LogoMarginTop(const QImage& image);
int LogoMarginBottom(const QImage& image);
int LogoMarginLeft(const QImage& image);
int LogoMarginRight(const QImage& image);

// Everything that decides how the working picture appears on the logo view.
struct TLogoRenderParams {
    int posX = 0;
    int posY = 0;
    int width = 1;
    int height = 1;
    bool grid = false;        // draw the cell grid below the picture
    bool unprocessed = false; // the picture in its own colours, opaque
    int mode = LOGO_MODE_NONE;
    std::optional<QRgb> background;
    bool negative = false;
    int allowance = 0;
    unsigned long long seed = 0; // drives the mixing generator
};

constexpr QRgb LOGO_GRID_COLOUR = 0x000080;

// The working picture scaled without smoothing to the logo size, kept between
// renders: it is scaled again only when the picture or the size changes, so
// a change of position, reduction or grid does not rescale.
class TLogoScaleCache {
public:
    // picture stretched to width x height (LogoPixelFormat): target pixel (x, y)
    // takes source pixel (x * picture width / width, y * picture height / height).
    // A null image when it cannot be made.
    const QImage& Scaled(const QImage& picture, int width, int height);

private:
    qint64 key_ = 0;
    QImage scaled_;
};

// Redraws view (made a 360 x 288 grey screen first) from picture: the grid,
// then the picture scaled without smoothing to width x height at (posX, posY),
// reduced unless unprocessed, grey and transparent pixels leaving the view
// below them, clipped to the view.
// Only the visible part of the scaled picture is reduced; the scaled picture
// comes from cache.
void RenderLogoView(QImage& view, const QImage& picture, const TLogoRenderParams& params, TLogoScaleCache& cache);
// The same with a cache of its own, scaling every time.
void RenderLogoView(QImage& view, const QImage& picture, const TLogoRenderParams& params);
