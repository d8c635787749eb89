#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// The current glyph set as one 192 x 288 picture at 32 bits per pixel, with the
// flag that says whether it holds edits not yet saved. Every change of its
// pixels sets the flag; loads and saves clear it.
class TCharsImage {
public:
    TCharsImage();

    const QImage& Image() const { return image_; }
    bool Modified() const { return modified_; }
    void ClearModified() { modified_ = false; }

    // Takes a copy of picture, converted to 32 bits per pixel.
    void Assign(const QImage& picture);
    QRgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, QRgb colour);
    // Copies source's rectangle sourceRect with its top left at target.
    void CopyRect(const QImage& source, const QRect& sourceRect, const QPoint& target);

private:
    QImage image_;
    bool modified_ = false;
};
