#pragma once

#include "Progress.h"

#include <QProgressBar>

// Lets the long device sequences drive one of the window's progress bars. The
// bar is repainted at once, since the sequences run without returning to the
// event loop.
class TProgressBarAdapter : public TProgress {
public:
    explicit TProgressBarAdapter(QProgressBar* bar) : bar_(bar) {}

    void SetMax(int max) override {
        bar_->setMaximum(max);
        Repaint();
    }
    void Step() override {
        bar_->setValue(bar_->value() + 1);
        Repaint();
    }

private:
    void Repaint() {
        if (bar_->isVisible())
            bar_->repaint();
    }

    QProgressBar* bar_;
};
