#include "widgets/ScrollBar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

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

void TScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect();
    focus.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
