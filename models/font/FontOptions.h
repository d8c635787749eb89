#pragma once

// The user's adjustments of a font's drawing, each 0 for the automatic choice.
struct TFontOptions {
    int size = 0;        // capital height in pixels above (+) or below (-) the automatic size
    int weight = 0;      // half pixels of stroke added (+) or taken away (-)
    bool outline = true; // the one-pixel black edge around the white strokes

    bool operator==(const TFontOptions&) const = default;
};

constexpr int FONT_SIZE_MIN = -6;
constexpr int FONT_SIZE_MAX = 3;
constexpr int FONT_WEIGHT_MIN = -2;
constexpr int FONT_WEIGHT_MAX = 4;
