#pragma once

#include <QScrollBar>

// The window's scroll bars. Keys move a horizontal bar the way they point:
// Left and Up by one small step down, Right and Down one small step up,
// Page Up and Page Down by the large step, Home and End to the ends. (Qt's
// own bar turns Left and Right around, as it inverts its controls so that Up
// scrolls a vertical bar towards the start.) A focused bar is framed the way
// the style marks focus, which Qt's bar does not show.
class TScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit TScrollBar(QWidget* parent = nullptr) : QScrollBar(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
