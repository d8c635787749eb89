#include "ImageView.h"

#include <QPainter>

void TImageView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (image_ == nullptr || image_->isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), *image_);
}
