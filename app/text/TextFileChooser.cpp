// The file dialog shared by the ticker and the pages.
#include "text/TextFileChooser.h"

#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

QString AllFiles() {
    return QCoreApplication::translate("TTextFileChooser", "All files (*.*)|*.*");
}

} // namespace

void TTextFileChooser::PauseWhileOpen(QTimer& timer) {
    paused_.push_back(&timer);
}

void TTextFileChooser::Choose(QLineEdit& field, TFileDialog dialog) {
    std::vector<bool> active;
    active.reserve(paused_.size());
    for (QTimer* timer : paused_) {
        active.push_back(timer->isActive());
        timer->stop();
    }
    const QString name = dialogs_.OpenFile(field.window(), dialog, field.text(), AllFiles());
    if (!name.isEmpty())
        field.setText(name);
    for (std::size_t i = 0; i < paused_.size(); ++i)
        if (active[i])
            paused_[i]->start();
}
