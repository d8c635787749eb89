#pragma once

#include <QCheckBox>
#include <QRadioButton>

// Check boxes and radio buttons that take a click anywhere on their designed
// area, as operators expect from the boxes of this window. Qt's own take it
// only on the square and the caption, and the window's boxes are much wider
// than their captions ("Włącz"), so a click on the rest did nothing.
class TCheckBox : public QCheckBox {
public:
    explicit TCheckBox(QWidget* parent = nullptr) : QCheckBox(parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class TRadioButton : public QRadioButton {
public:
    explicit TRadioButton(QWidget* parent = nullptr) : QRadioButton(parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
