#include "CharsImage.h"

#include "Glyphs.h"

#include <QPainter>

TCharsImage::TCharsImage() {
    NewCharsBitmap(image_);
}

void TCharsImage::Assign(const QImage& picture) {
    image_ = picture.convertToFormat(QImage::Format_RGB32);
    modified_ = true;
}

QRgb TCharsImage::Pixel(int x, int y) const {
    if (!image_.valid(x, y))
        return LEVEL_GREY;
    return image_.pixel(x, y) & 0xFFFFFF;
}

void TCharsImage::SetPixel(int x, int y, QRgb colour) {
    modified_ = true;
    if (image_.valid(x, y))
        image_.setPixel(x, y, 0xFF000000u | colour);
}

void TCharsImage::CopyRect(const QImage& source, const QRect& sourceRect, const QPoint& target) {
    modified_ = true;
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(target, source, sourceRect);
}
