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
    if (button == Qt::LeftButton)
        document_.BeginDrag(pos);
}

void TLogoPage::ImageLogoMouseMove(QPoint pos) {
    if (document_.Picking()) {
        // The mouse is grabbed by the view while picking; positions outside it
        // are held to its edge, so the pick stays on the picture.
        const QImage& view = document_.View();
        const int x = std::clamp(pos.x(), 0, view.width() - 1);
        const int y = std::clamp(pos.y(), 0, view.height() - 1);
        logoPickPoint_ = QPoint(x, y);
        document_.SetBackground(view.pixel(x, y));
        ShowDocument();
        return;
    }
    if (document_.IsInPicture(pos.x(), pos.y()))
        ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    else
        ui_->ImageLogo->unsetCursor();
    if (!document_.Dragging())
        return;
    document_.DragTo(pos);
    ShowDocument();
}

void TLogoPage::ImageLogoMouseUp(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton)
        return;
    if (!document_.Picking()) {
        document_.EndDrag();
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
    const QColor current = QColor::fromRgb(document_.Settings().background);
    if (button == Qt::RightButton) {
        const std::optional<QColor> chosen = dialogs_->PickColour(Window(), current);
        if (!chosen)
            return;
        document_.SetBackground(chosen->rgb());
        ShowDocument();
        return;
    }
    if (button != Qt::LeftButton)
        return;
    // There is no pointer confinement on every desktop: the view grabs the
    // mouse instead and the positions it reads are held to its edges.
    ui_->ImageLogo->grabMouse(Qt::PointingHandCursor);
    ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    logoPickStartColor_ = current;
    document_.SetPicking(true);
    // The keys follow the pick too: arrows move a pick point, Esc gives up.
    ui_->ImageLogo->setFocus(Qt::OtherFocusReason);
    ShowDocument();
}

// Picking ends: the pointer and the keys go back where they were, and the
// view shows the reduced picture again.
void TLogoPage::EndLogoPicking() {
    logoPickPoint_.reset();
    ui_->ImageLogo->SetMarker(std::nullopt);
    ui_->ImageLogo->releaseMouse();
    ui_->ImageLogo->unsetCursor();
    if (ui_->ImageLogo->hasFocus())
        ui_->ShapeLogoTransparentColor->setFocus(Qt::OtherFocusReason);
    document_.SetPicking(false);
    ShowDocument();
}

void TLogoPage::ShowLogoTransparentColor(const QColor& colour) {
    // The swatch shows its focus by a border in the style's highlight colour.
    ui_->ShapeLogoTransparentColor->setStyleSheet(
        QStringLiteral("QFrame { background-color: %1; border: 1px solid black; }"
                       " QFrame:focus { border: 2px solid palette(highlight); }")
            .arg(colour.name()));
}

// ---- Dropped pictures ----------------------------------------------------------

// A file dropped on the view is imported as "Importuj" imports it, and taken
// only while "Importuj" could be used: not while a picture exists.
bool TLogoPage::DropEvent(QEvent* event) {
    if (!IsDropEvent(event))
        return false;
    const std::optional<QString> file = TakeDroppedFile(event, !document_.Loaded());
    if (file)
        ImportLogoFile(*file);
    return true;
}
