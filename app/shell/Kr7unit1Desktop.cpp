// The window on the desktop: the keys that work anywhere in it, a second
// start's request to come to the front, and pictures given on the command line.
#include "shell/Kr7unit1.h"
#include "ui_Kr7unit1.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

void TFormKR7::InstallShortcuts() {
    const auto add = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { StepPage(1); });
    // Shift+Tab arrives as Backtab, with or without Shift among the modifiers.
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [this] { StepPage(-1); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Backtab), [this] { StepPage(-1); });
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [this] { StepPage(-1); });
    // Closing asks about unsaved glyph edits as the title bar's button does.
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
}

void TFormKR7::StepPage(int step) {
    QTabWidget* pages = ui_->PageControl;
    const int count = pages->count();
    int index = pages->currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (pages->isTabVisible(index) && pages->isTabEnabled(index)) {
            pages->setCurrentIndex(index);
            return;
        }
    }
}

void TFormKR7::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TFormKR7::OpenFiles(const QStringList& files) {
    if (files.isEmpty())
        return;
    ui_->PageControl->setCurrentWidget(ui_->TabSheetLogo);
    // Handed to the Logo view as a dragged and dropped file, so it is taken
    // exactly as a drop is: refused while the view holds a picture.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QFileInfo(files.front()).absoluteFilePath())});
    const QPointF centre = QRectF(ui_->ImageLogo->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ui_->ImageLogo, &enter);
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    if (enter.isAccepted())
        QCoreApplication::sendEvent(ui_->ImageLogo, &drop);
    if (!drop.isAccepted())
        Log(tr("Obraz z wiersza poleceń nie został wczytany: najpierw wyczyść obecny obraz."));
}
