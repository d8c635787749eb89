#include "ScrollBar.h"

#include <QKeyEvent>

void TScrollBar::keyPressEvent(QKeyEvent* event) {
    const bool sideways = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
    if (!sideways || orientation() != Qt::Horizontal) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    const bool towardsEnd = (event->key() == Qt::Key_Right) != isRightToLeft();
    triggerAction(towardsEnd ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
}
