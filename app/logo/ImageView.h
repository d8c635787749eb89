#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <optional>

// Shows a picture owned elsewhere, unscaled at its top left; the owner calls
// update() after drawing into it. Stands for the image controls of the window.
// A marker can stand on one pixel of the picture (a point the keys move).
class TImageView : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetImage(const QImage* image) {
        image_ = image;
        update();
    }
    const QImage* Image() const { return image_; }
    // The pixel marked, or none.
    void SetMarker(std::optional<QPoint> pixel);
    std::optional<QPoint> Marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintMarker(QPainter& painter) const;

    const QImage* image_ = nullptr;
    std::optional<QPoint> marker_;
};
