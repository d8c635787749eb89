#include "LogoImage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr QRgb BLACK = 0xFF000000;
constexpr QRgb WHITE = 0xFFFFFFFF;
constexpr QRgb GREY = 0xFF808080;

QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The threshold the page passes for a brightness setting.
int ThresholdFor(int brightness) {
    return (100 - brightness) * 255 / 100;
}

QRgb Reduced(QRgb colour, int mode, std::optional<QRgb> bg = std::nullopt, bool negative = false, int allowance = 0) {
    QImage image = Filled(1, 1, colour);
    ReduceLogoPixels(image, mode, bg, negative, allowance);
    return image.pixel(0, 0);
}

int CountWhite(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == WHITE;
    return n;
}

// A uniform picture of channel sum s (spread over the three channels).
QImage UniformSum(int s, int size = 32) {
    const int r = std::min(s, 255);
    const int g = std::min(s - r, 255);
    const int b = s - r - g;
    return Filled(size, size, qRgb(r, g, b));
}

} // namespace

TEST(ReduceLogoPixels, ThresholdFollowsBrightness) {
    EXPECT_EQ(ThresholdFor(50), 127);
    EXPECT_EQ(Reduced(qRgb(127, 127, 126), ThresholdFor(50)), BLACK); // 380
    EXPECT_EQ(Reduced(qRgb(127, 127, 127), ThresholdFor(50)), WHITE); // 381
    EXPECT_EQ(ThresholdFor(99), 2);
    EXPECT_EQ(Reduced(qRgb(2, 2, 1), ThresholdFor(99)), BLACK); // 5
    EXPECT_EQ(Reduced(qRgb(2, 2, 2), ThresholdFor(99)), WHITE); // 6
    EXPECT_EQ(ThresholdFor(1), 252);
    EXPECT_EQ(Reduced(qRgb(255, 255, 245), ThresholdFor(1)), BLACK); // 755
    EXPECT_EQ(Reduced(qRgb(255, 255, 246), ThresholdFor(1)), WHITE); // 756
}

TEST(ReduceLogoPixels, NoModeUsesFixedThreshold) {
    EXPECT_EQ(Reduced(qRgb(127, 127, 127), LOGO_MODE_NONE), BLACK); // 381
    EXPECT_EQ(Reduced(qRgb(128, 127, 127), LOGO_MODE_NONE), WHITE); // 382
    EXPECT_EQ(Reduced(qRgb(128, 127, 127), LOGO_MODE_NONE, std::nullopt, true), BLACK);
}

TEST(ReduceLogoPixels, MosaicShareGrowsWithBrightness) {
    QImage image = UniformSum(0);
    ReduceLogoPixels(image, LOGO_MODE_MOSAIC, std::nullopt, false, 0);
    EXPECT_EQ(CountWhite(image, image.rect()), 0);

    image = UniformSum(2);
    ReduceLogoPixels(image, LOGO_MODE_MOSAIC, std::nullopt, false, 0);
    EXPECT_EQ(CountWhite(image, image.rect()), 4); // one per 16 x 16 block
    EXPECT_EQ(image.pixel(14, 15), WHITE);
    EXPECT_EQ(image.pixel(30, 31), WHITE);

    image = UniformSum(382);
    ReduceLogoPixels(image, LOGO_MODE_MOSAIC, std::nullopt, false, 0);
    EXPECT_EQ(CountWhite(image, QRect(0, 0, 16, 16)), 128);
    EXPECT_EQ(CountWhite(image, QRect(16, 16, 16, 16)), 128);
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(image.pixel(x, 0), x % 2 == 0 ? BLACK : WHITE) << x;

    for (int s : {764, 765}) {
        image = UniformSum(s);
        ReduceLogoPixels(image, LOGO_MODE_MOSAIC, std::nullopt, false, 0);
        EXPECT_EQ(CountWhite(image, image.rect()), 32 * 32) << s;
    }
}

TEST(ReduceLogoPixels, MosaicPatternFollowsTheWholePicture) {
    QImage whole = UniformSum(200, 40);
    ReduceLogoPixels(whole, LOGO_MODE_MOSAIC, std::nullopt, false, 0);
    QImage part = UniformSum(200, 40).copy(5, 7, 20, 20);
    ReduceLogoPixelsAt(part, 5, 7, LOGO_MODE_MOSAIC, std::nullopt, false, 0, 1);
    EXPECT_EQ(part, whole.copy(5, 7, 20, 20));
}

TEST(ReduceLogoPixels, MixingGivesOnlyBlackAndWhite) {
    QImage bright = UniformSum(765, 64);
    ReduceLogoPixelsAt(bright, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 42);
    EXPECT_EQ(CountWhite(bright, bright.rect()), 64 * 64);

    QImage mid = UniformSum(382, 64);
    ReduceLogoPixelsAt(mid, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 42);
    const int white = CountWhite(mid, mid.rect());
    EXPECT_GT(white, 64 * 64 * 2 / 5);
    EXPECT_LT(white, 64 * 64 * 3 / 5);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_TRUE(mid.pixel(x, y) == WHITE || mid.pixel(x, y) == BLACK);
}

TEST(ReduceLogoPixels, BackgroundToleranceAndNegative) {
    const QRgb lime = qRgb(0, 255, 0);
    // tolerance 100: only the exact colour
    EXPECT_EQ(Reduced(lime, 127, lime, false, 0), GREY);
    EXPECT_EQ(Reduced(qRgb(0, 254, 0), 127, lime, false, 0), BLACK);
    // tolerance 1: distance up to 757
    EXPECT_EQ(Reduced(qRgb(255, 255, 255), 127, lime, false, 99), GREY);
    EXPECT_EQ(Reduced(qRgb(255, 0, 255), 127, lime, false, 99), WHITE);
    // negative swaps black and white and keeps removed pixels grey
    EXPECT_EQ(Reduced(lime, 127, lime, true, 0), GREY);
    EXPECT_EQ(Reduced(qRgb(255, 0, 255), 127, lime, true, 99), BLACK);
    EXPECT_EQ(Reduced(qRgb(0, 0, 0), 127, lime, true, 0), WHITE);
}

TEST(ReduceLogoPixels, ConvertsOtherFormats) {
    QImage image(2, 1, QImage::Format_RGB888);
    image.setPixel(0, 0, qRgb(10, 10, 10));
    image.setPixel(1, 0, qRgb(200, 200, 200));
    ReduceLogoPixels(image, 127, std::nullopt, false, 0);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), BLACK);
    EXPECT_EQ(image.pixel(1, 0), WHITE);
}

TEST(LogoMargins, CountBlankEdges) {
    QImage view = Filled(360, 288, GREY);
    EXPECT_EQ(LogoMarginTop(view), 0);
    EXPECT_EQ(LogoMarginLeft(view), 0);
    view.setPixel(10, 20, WHITE);
    view.setPixel(300, 250, BLACK);
    view.setPixel(5, 5, 0xFF000080); // navy counts as blank
    EXPECT_FALSE(IsBlankRow(view, 20));
    EXPECT_TRUE(IsBlankRow(view, 5));
    EXPECT_TRUE(IsBlankColumn(view, 5));
    EXPECT_EQ(LogoMarginTop(view), 20);
    EXPECT_EQ(LogoMarginBottom(view), 37);
    EXPECT_EQ(LogoMarginLeft(view), 10);
    EXPECT_EQ(LogoMarginRight(view), 59);
}

TEST(RenderLogoView, GridLinesLieOnCellEdgesOnly) {
    QImage view;
    TLogoRenderParams params;
    params.grid = true;
    RenderLogoView(view, QImage(), params);
    ASSERT_EQ(view.size(), QSize(360, 288));
    int horizontal = 0, vertical = 0;
    for (int y = 0; y < 288; ++y)
        horizontal += view.pixel(5, y) == 0xFF000080;
    for (int x = 0; x < 360; ++x)
        vertical += view.pixel(x, 5) == 0xFF000080;
    EXPECT_EQ(horizontal, 16);
    EXPECT_EQ(vertical, 30);
    EXPECT_EQ(view.pixel(359, 5), GREY);
    EXPECT_EQ(view.pixel(5, 287), GREY);
}

TEST(RenderLogoView, ScalesWithoutSmoothingAndClips) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 255, 255));
    QImage view;
    TLogoRenderParams params;
    params.posX = -5;
    params.posY = 280;
    params.width = 20;
    params.height = 20;
    params.mode = 127;
    RenderLogoView(view, picture, params);
    EXPECT_EQ(view.pixel(0, 280), BLACK);  // box column 5
    EXPECT_EQ(view.pixel(4, 287), BLACK);  // box column 9
    EXPECT_EQ(view.pixel(5, 287), WHITE);  // box column 10
    EXPECT_EQ(view.pixel(14, 287), WHITE); // box column 19
    EXPECT_EQ(view.pixel(15, 287), GREY);
    EXPECT_EQ(view.pixel(0, 279), GREY);
}

TEST(RenderLogoView, RemovedBackgroundShowsTheGridAndUnprocessedIsOpaque) {
    QImage picture = Filled(360, 288, qRgb(0, 255, 0));
    QImage view;
    TLogoRenderParams params;
    params.width = 360;
    params.height = 288;
    params.grid = true;
    params.background = qRgb(0, 255, 0);
    RenderLogoView(view, picture, params);
    EXPECT_EQ(view.pixel(0, 0), 0xFF000080);
    EXPECT_EQ(view.pixel(1, 1), GREY);
    params.unprocessed = true;
    RenderLogoView(view, picture, params);
    EXPECT_EQ(view.pixel(0, 0), 0xFF00FF00);
}

TEST(ReduceLogoPixels, MixingDrawsAFreshValueForEveryPixel) {
    // A uniform area of S = 382: every pixel white or black at even odds, and
    // no two rows sharing a run of 48 pixels anywhere.
    QImage image = UniformSum(382, 360);
    ReduceLogoPixelsAt(image, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 12345);
    constexpr int RUN = 48;
    std::map<std::uint64_t, int> firstRow;
    int shared = 0;
    for (int y = 0; y < image.height(); ++y) {
        std::set<int> sharedWith;
        std::uint64_t bits = 0;
        for (int x = 0; x < image.width(); ++x) {
            bits = (bits << 1 | (image.pixel(x, y) == WHITE)) & ((1ull << RUN) - 1);
            if (x < RUN - 1)
                continue;
            const auto [it, fresh] = firstRow.emplace(bits, y);
            if (!fresh && it->second != y)
                sharedWith.insert(it->second);
        }
        shared += static_cast<int>(sharedWith.size());
    }
    EXPECT_EQ(shared, 0);
    const int white = CountWhite(image, image.rect());
    EXPECT_NEAR(white, 360 * 360 / 2, 360 * 360 / 50);

    // S = 765 is always white; S = 0 is white only when r = 0, 1 in 766.
    QImage bright = UniformSum(765, 100);
    ReduceLogoPixelsAt(bright, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 7);
    EXPECT_EQ(CountWhite(bright, bright.rect()), 100 * 100);
    QImage dark = UniformSum(0, 100);
    ReduceLogoPixelsAt(dark, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 7);
    EXPECT_LT(CountWhite(dark, dark.rect()), 40);
    // Another seed, another pattern.
    QImage other = UniformSum(382, 360);
    ReduceLogoPixelsAt(other, 0, 0, LOGO_MODE_MIXING, std::nullopt, false, 0, 12346);
    EXPECT_NE(other, image);
}

TEST(RenderLogoView, TheCachedScaleFollowsThePictureAndTheSize) {
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, (x / 3 + y / 2) % 2 ? WHITE : BLACK);
    TLogoRenderParams params;
    params.mode = 127;
    params.width = 100;
    params.height = 70;
    TLogoScaleCache cache;
    QImage cached, fresh;
    const auto same = [&] {
        RenderLogoView(cached, picture, params, cache);
        RenderLogoView(fresh, picture, params);
        return cached == fresh;
    };
    EXPECT_TRUE(same());
    params.posX = 300; // partly outside the view
    params.posY = -20;
    EXPECT_TRUE(same());
    params.width = 33;
    EXPECT_TRUE(same());
    picture.setPixel(0, 29, picture.pixel(0, 29) ^ 0xFFFFFF); // changed in place
    EXPECT_TRUE(same());
    picture = QImage(40, 30, QImage::Format_RGB32); // another picture of the same size
    picture.fill(WHITE);
    EXPECT_TRUE(same());
    params.unprocessed = true;
    EXPECT_TRUE(same());
}
