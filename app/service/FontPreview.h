#pragma once

#include <QImage>
#include <QWidget>

// Codes 1..111 of two glyph sets side by side, the current one on the left
// and the one drawn from a font on the right, enlarged by a whole number so
// that every pixel shows.
class TFontPreview : public QWidget {
    Q_OBJECT
public:
    explicit TFontPreview(QWidget* parent = nullptr);

    void SetCurrent(const QImage& chars);
    void SetFont(const QImage& chars);
    const QImage& FontChars() const { return font_; }
    // The enlargement the widget's size allows, at least 2.
    int Zoom() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintSet(QPainter& painter, const QImage& chars, int left, int zoom) const;

    QImage current_;
    QImage font_;
};
