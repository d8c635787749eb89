#pragma once

#include <QImage>
#include <QWidget>

// Shows a picture owned elsewhere, unscaled at its top left; the owner calls
// update() after drawing into it. Stands for the image controls of the window.
class TImageView : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetImage(const QImage* image) {
        image_ = image;
        update();
    }
    const QImage* Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* image_ = nullptr;
};
