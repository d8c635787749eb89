#pragma once

#include "platform/FileDialogState.h"

#include <vector>

class QLineEdit;
class QTimer;
class TDialogs;

// The open-file dialog of the text pages. While it is shown, every ticker
// timer handed to PauseWhileOpen is stopped; afterwards each gets its
// enabled state back.
class TTextFileChooser {
public:
    explicit TTextFileChooser(TDialogs& dialogs) : dialogs_(dialogs) {}
    TTextFileChooser(const TTextFileChooser&) = delete;
    TTextFileChooser& operator=(const TTextFileChooser&) = delete;

    void PauseWhileOpen(QTimer& timer);
    // Shows the dialog pre-filled with field's text; a confirmed path goes
    // into field. The file is not read.
    void Choose(QLineEdit& field, TFileDialog dialog);

private:
    TDialogs& dialogs_;
    std::vector<QTimer*> paused_;
};
