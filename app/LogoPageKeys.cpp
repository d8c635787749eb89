// The Logo page without a mouse: the colour swatch answers the keys its
// clicks answer, and while the colour is picked the arrow keys move a pick
// point over the view, Enter takes the colour under it and Esc gives up.
#include "LogoPage.h"
#include "ui_Kr7unit1.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int PICK_LARGE_STEP = 10; // pixels for an arrow key held with Shift

bool IsActivateKey(const QKeyEvent& key) {
    const int code = key.key();
    return code == Qt::Key_Space || code == Qt::Key_Return || code == Qt::Key_Enter;
}

// The keyboard's stand-in for the right mouse button.
bool IsSecondaryKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

// The step an arrow key moves the pick point by; none for other keys.
std::optional<QPoint> ArrowStep(const QKeyEvent& key) {
    const int size = key.modifiers() & Qt::ShiftModifier ? PICK_LARGE_STEP : 1;
    switch (key.key()) {
    case Qt::Key_Left:
        return QPoint(-size, 0);
    case Qt::Key_Right:
        return QPoint(size, 0);
    case Qt::Key_Up:
        return QPoint(0, -size);
    case Qt::Key_Down:
        return QPoint(0, size);
    default:
        return std::nullopt;
    }
}

} // namespace

bool TLogoPage::KeyEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && watched == ui_->ImageLogo && document_.Picking()) {
        event->accept(); // picking holds the keys as it holds the mouse: no mnemonic acts meanwhile
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == ui_->ShapeLogoTransparentColor)
        return ShapeLogoTransparentColorKeyDown(key);
    if (watched == ui_->ImageLogo)
        return ImageLogoKeyDown(key);
    return false;
}

bool TLogoPage::ShapeLogoTransparentColorKeyDown(const QKeyEvent& key) {
    if (document_.Picking())
        return false;
    if (IsSecondaryKey(key)) {
        ShapeLogoTransparentColorMouseDown(Qt::RightButton);
        return true;
    }
    if (!IsActivateKey(key) || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    ShapeLogoTransparentColorMouseDown(Qt::LeftButton);
    if (document_.Picking())
        MoveLogoPickPoint(LogoPickStart());
    return true;
}

bool TLogoPage::ImageLogoKeyDown(const QKeyEvent& key) {
    if (!document_.Picking())
        return false;
    if (const std::optional<QPoint> step = ArrowStep(key)) {
        MoveLogoPickPoint(logoPickPoint_.value_or(LogoPickStart()) + *step);
        return true;
    }
    if (IsActivateKey(key)) {
        // Taken as the mouse takes it: a left release over the view.
        ImageLogoMouseUp(Qt::LeftButton, logoPickPoint_.value_or(LogoPickStart()));
        return true;
    }
    if (key.key() == Qt::Key_Escape)
        CancelLogoPicking();
    return true; // no other key acts while picking, Tab and Ctrl+Tab included
}

// The top left of the placed picture, held to the view.
QPoint TLogoPage::LogoPickStart() const {
    const QImage& view = document_.View();
    return {std::clamp(document_.Settings().posX, 0, view.width() - 1),
            std::clamp(document_.Settings().posY, 0, view.height() - 1)};
}

// The swatch takes the colour under the point, as a mouse move over the view does.
void TLogoPage::MoveLogoPickPoint(QPoint point) {
    const QImage& view = document_.View();
    const QPoint held(std::clamp(point.x(), 0, view.width() - 1), std::clamp(point.y(), 0, view.height() - 1));
    ui_->ImageLogo->SetMarker(held);
    ImageLogoMouseMove(held);
}

void TLogoPage::CancelLogoPicking() {
    document_.SetBackground(logoPickStartColor_.rgb());
    EndLogoPicking();
}
