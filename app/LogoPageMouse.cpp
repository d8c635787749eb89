// The Logo page's mouse: dragging the picture over the view, picking the
// background colour from it, and pictures dropped on it.
#include "Dialogs.h"
#include "DroppedFile.h"
#include "LogoPage.h"
#include "ui_Kr7unit1.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

bool TLogoPage::MouseEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!press && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == ui_->ShapeLogoTransparentColor) {
        if (press)
            ShapeLogoTransparentColorMouseDown(mouse->button());
        return press;
    }
    if (watched != ui_->ImageLogo)
        return false;
    const QPoint pos = mouse->position().toPoint();
    if (press)
        ImageLogoMouseDown(mouse->button(), pos);
    else if (type == QEvent::MouseMove)
        ImageLogoMouseMove(pos);
    else
        ImageLogoMouseUp(mouse->button(), pos);
    return true;
}

void TLogoPage::ImageLogoMouseDown(Qt::MouseButton button, QPoint pos) {
    if (LogoPicking || button != Qt::LeftButton || !logoBitmap_ || !IsInLogoPicture(pos.x(), pos.y()))
        return;
    LogoDragMouse = pos;
    LogoDragOrigin = QPoint(ui_->ScrollBarLogoPosX->value(), ui_->ScrollBarLogoPosY->value());
    LogoDragging = true;
}

void TLogoPage::ImageLogoMouseMove(QPoint pos) {
    if (LogoPicking) {
        // The mouse is grabbed by the view while picking; positions outside it
        // are held to its edge, so the pick stays on the picture.
        const int x = std::clamp(pos.x(), 0, logoView_.width() - 1);
        const int y = std::clamp(pos.y(), 0, logoView_.height() - 1);
        logoPickPoint_ = QPoint(x, y);
        SetLogoTransparentColor(QColor::fromRgb(logoView_.pixel(x, y)));
        return;
    }
    if (IsInLogoPicture(pos.x(), pos.y()))
        ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    else
        ui_->ImageLogo->unsetCursor();
    if (!LogoDragging)
        return;
    ui_->ScrollBarLogoPosX->setValue(pos.x() + LogoDragOrigin.x() - LogoDragMouse.x());
    ui_->ScrollBarLogoPosY->setValue(pos.y() + LogoDragOrigin.y() - LogoDragMouse.y());
}

void TLogoPage::ImageLogoMouseUp(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton)
        return;
    if (!LogoPicking) {
        LogoDragging = false;
        return;
    }
    // The view holds the grab from the press on the swatch, so the release
    // of that click arrives here too, outside the view: picking goes on
    // until a release over the view, which takes the colour under it.
    if (!ui_->ImageLogo->rect().contains(pos))
        return;
    ImageLogoMouseMove(pos);
    EndLogoPicking();
}

void TLogoPage::ShapeLogoTransparentColorMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        const std::optional<QColor> chosen = dialogs_->PickColour(Window(), logoTransparentColor_);
        if (!chosen)
            return;
        SetLogoTransparentColor(*chosen);
        RenderLogo(false, false);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    // There is no pointer confinement on every desktop: the view grabs the
    // mouse instead and the positions it reads are held to its edges.
    ui_->ImageLogo->grabMouse(Qt::PointingHandCursor);
    ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    LogoPicking = true;
    logoPickStartColor_ = logoTransparentColor_;
    // The keys follow the pick too: arrows move a pick point, Esc gives up.
    ui_->ImageLogo->setFocus(Qt::OtherFocusReason);
    RenderLogo(true, true);
}

// Picking ends: the pointer and the keys go back where they were, and the
// view shows the reduced picture again.
void TLogoPage::EndLogoPicking() {
    LogoPicking = false;
    logoPickPoint_.reset();
    ui_->ImageLogo->SetMarker(std::nullopt);
    ui_->ImageLogo->releaseMouse();
    ui_->ImageLogo->unsetCursor();
    if (ui_->ImageLogo->hasFocus())
        ui_->ShapeLogoTransparentColor->setFocus(Qt::OtherFocusReason);
    RenderLogo(false, false);
}

void TLogoPage::SetLogoTransparentColor(const QColor& colour) {
    logoTransparentColor_ = QColor(colour.red(), colour.green(), colour.blue());
    // The swatch shows its focus by a border in the style's highlight colour.
    ui_->ShapeLogoTransparentColor->setStyleSheet(
        QStringLiteral("QFrame { background-color: %1; border: 1px solid black; }"
                       " QFrame:focus { border: 2px solid palette(highlight); }")
            .arg(logoTransparentColor_.name()));
}

// ---- Dropped pictures ----------------------------------------------------------

// A file dropped on the view is imported as "Importuj" imports it, and taken
// only while "Importuj" could be used: not while a picture exists.
bool TLogoPage::DropEvent(QEvent* event) {
    if (!IsDropEvent(event))
        return false;
    const std::optional<QString> file = TakeDroppedFile(event, !logoBitmap_.has_value());
    if (file)
        ImportLogoFile(*file);
    return true;
}
