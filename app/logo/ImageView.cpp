#include "logo/ImageView.h"

#include <QPainter>

void TImageView::SetMarker(std::optional<QPoint> pixel) {
    if (marker_ == pixel)
        return;
    marker_ = pixel;
    update();
}

void TImageView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    if (image_ != nullptr && !image_->isNull())
        painter.drawImage(QPoint(0, 0), *image_);
    PaintMarker(painter);
}

// Two squares around the pixel, black inside white, so that the mark shows
// on any colour and the pixel itself stays visible.
void TImageView::PaintMarker(QPainter& painter) const {
    if (!marker_)
        return;
    const QPoint at = *marker_;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(at.x() - 2, at.y() - 2, 4, 4);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(at.x() - 3, at.y() - 3, 6, 6);
}
